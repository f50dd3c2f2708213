// Every menu item of the four document windows and of the launcher's popup
// menu is enabled and does its job when chosen.
#include "ui/help/Toprograme.h"
#include "ui/settings/Tnastavenia.h"
#include "ui/settings/Tosobne.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TCpoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "ui/envelopes/Tobl.h"
#include "support/Fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

Q_DECLARE_METATYPE(FormKind)

namespace {

QList<QAction*> itemsOf(QMenu* menu)
{
    QList<QAction*> items;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            items += itemsOf(a->menu());
        else
            items << a;
    }
    return items;
}

// Whether the form designer was open, beside the document windows; closed now.
bool designerClosed()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Tnavrh") && w->isVisible()) {
            delete w;
            return true;
        }
    return false;
}

// The classes of the document windows open now that were not in `before`.
QStringList newWindows(const QList<DocumentWindow*>& before)
{
    QStringList names;
    for (DocumentWindow* w : openDocumentWindows())
        if (!before.contains(w))
            names << w->metaObject()->className();
    return names;
}

} // namespace

class MenusTest : public QObject {
    Q_OBJECT
private slots:
    void documentWindowItems_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::newRow("A") << FormKind::SlipA;
        QTest::newRow("C") << FormKind::SlipC;
        QTest::newRow("D") << FormKind::SlipD;
        QTest::newRow("envelope") << FormKind::Envelope;
    }
    void documentWindowItems()
    {
        QFETCH(FormKind, kind);
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.folder.installShippedTemplates();
        p.loadRecords();
        p.app->settings().setEnvelopeTemplateName("DL 110x220.obl"); // so the envelope can print
        auto* window = qobject_cast<DocumentWindow*>(OpenDocumentWindow(*p.app, kind));
        QVERIFY(window);
        QString dialogClass;
        p.platform.onDialog = [&](QDialog& d) { dialogClass = d.metaObject()->className(); };

        QStringList checked;
        for (QAction* top : window->menuBar()->actions()) {
            for (QAction* item : itemsOf(top->menu())) {
                const QString name = item->objectName();
                checked << name;
                QVERIFY2(item->isEnabled(), qPrintable(name));
                const QList<DocumentWindow*> before = openDocumentWindows();
                dialogClass.clear();
                const int prints = p.platform.printDialogs, files = p.platform.fileDialogs;
                if (item == window->closeItem)
                    continue; // chosen last, below
                item->trigger();
                const QStringList opened = newWindows(before);
                const QMap<QString, QString> opens{{"TypuA1", "TApoukazka"}, {"TypuC1", "TCpoukazka"},
                                                   {"TypuD1", "TDpoukazka"}, {"Oblka1", "Tobl"},
                                                   {"PlatbaQR1", "Tplatba"}};
                const QMap<QString, QString> dialogs{{"Osobndaje1", "Tosobne"},
                                                     {"Nastaveniaprogramu1", "Tnastavenia"},
                                                     {"Oprograme1", "Toprograme"},
                                                     {"Novablnapreoblky1", "Tsablona"},
                                                     {"Ukkapredtlaou1", "PrintPreview"},
                                                     {"Zarovnanietlaiarne1", "Tzarovnanie"},
                                                     {"Histriatlae1", "Thistoria"}};
                if (opens.contains(name)) {
                    QCOMPARE(opened, QStringList{opens[name]});
                } else if (dialogs.contains(name)) {
                    QCOMPARE(dialogClass, dialogs[name]);
                } else if (name == "Index1") {
                    QCOMPARE(p.platform.opened.last(), p.folder.file("pomoc.hlp"));
                } else if (name == "Hromadntla1") {
                    QCOMPARE(p.platform.fileDialogs, 1); // asks for the table; cancelled here
                } else if (name == "Tlai1") {
                    QCOMPARE(p.platform.printDialogs, prints + 1);
                } else if (name == "Otvoriformulrzosboru1") {
                    QCOMPARE(p.platform.fileDialogs, files + 1); // asks for a layout; cancelled here
                    QVERIFY(opened.isEmpty());
                } else {
                    QFAIL(qPrintable("no check for " + name));
                }
                QVERIFY(window->isVisible()); // the window whose menu was used stays open
            }
        }
        QCOMPARE(checked.size(), 17);
        const int count = p.app->OpenFormCount;
        window->closeItem->trigger();
        QVERIFY(!window->isVisible());
        QCOMPARE(p.app->OpenFormCount, count - 1);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void aboutItemShowsTheBoxModallyAndDestroysIt()
    {
        Program p;
        p.loadRecords();
        auto* window = qobject_cast<DocumentWindow*>(OpenDocumentWindow(*p.app, FormKind::SlipC));
        QPointer<QDialog> box;
        bool modal = false;
        p.platform.onDialog = [&](QDialog& d) {
            box = &d;
            modal = d.isModal() && !d.parent();
        };
        window->Oprograme1->trigger();
        QVERIFY(modal);
        QVERIFY(box.isNull());
        QCOMPARE(p.platform.dialogsRun, 1);
    }

    void launcherPopupItems()
    {
        Program p;
        p.folder.installShippedTips();
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.start();
        QString dialogClass;
        p.platform.onDialog = [&](QDialog& d) { dialogClass = d.metaObject()->className(); };
        const QMap<QString, QString> opens{
            {"TypyA1", "TApoukazka"}, {"TypuC1", "TCpoukazka"}, {"TypuD1", "TDpoukazka"}, {"Oblka1", "Tobl"},
            {"PlatbaQR1", "Tplatba"}};
        const QMap<QString, QString> dialogs{
            {"Osobnnastavenia1", "Tosobne"}, {"Nastaveniaprogramu1", "Tnastavenia"}, {"Novablnanaoblku1", "Tsablona"},
            {"Histriatlae1", "Thistoria"}};
        QStringList checked;
        for (QAction* item : itemsOf(p.launcher->PopupMenu1)) {
            const QString name = item->objectName();
            checked << name;
            QVERIFY2(item->isEnabled(), qPrintable(name));
            const QList<DocumentWindow*> before = openDocumentWindows();
            dialogClass.clear();
            item->trigger();
            if (opens.contains(name))
                QCOMPARE(newWindows(before), QStringList{opens[name]});
            else if (dialogs.contains(name))
                QCOMPARE(dialogClass, dialogs[name]);
            else if (name == "Oprograme1")
                QCOMPARE(p.platform.opened, QStringList{p.folder.file("pomoc.hlp")});
            else if (name == "Otvoriformulrzosboru1")
                QVERIFY(p.platform.fileDialogs == 1 && newWindows(before).isEmpty());
            else if (name == "Nvrhformulra1")
                QVERIFY(designerClosed());
            else
                QFAIL(qPrintable("no check for " + name));
        }
        QCOMPARE(checked.size(), 12);
        QVERIFY(p.platform.messages.isEmpty());
    }
};

QTEST_MAIN(MenusTest)
#include "test_menus.moc"
