// The four document windows: look, shared menu, shortcuts and life cycle.
#include "ui/frame/DocumentKind.h"
#include "ui/envelopes/Tobl.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TCpoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "support/Fixture.h"

#include <QMenuBar>
#include <QtTest>

Q_DECLARE_METATYPE(FormKind)

static QStringList menuText(QMainWindow* window)
{
    QStringList lines;
    for (QAction* top : window->menuBar()->actions()) {
        lines << top->text();
        for (QAction* a : top->menu()->actions())
            lines << (a->isSeparator() ? QStringLiteral("  -")
                                       : "  " + a->text() + (a->shortcut().isEmpty() ? "" : " " + a->shortcut().toString())
                                             + " <" + a->objectName() + ">");
    }
    return lines;
}

class DocumentWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void look_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("closeName");
        QTest::newRow("A") << FormKind::SlipA << QStringLiteral("Poštová poukážka typu A") << QSize(305, 344)
                           << QPoint(372, 114) << "closeF";
        QTest::newRow("C") << FormKind::SlipC << QStringLiteral("Poštová poukážka typu C") << QSize(305, 258)
                           << QPoint(359, 109) << "Koniecprogramu1";
        QTest::newRow("D") << FormKind::SlipD << QStringLiteral("Poštová poukážka typu D") << QSize(305, 273)
                           << QPoint(378, 110) << "Koniecprogramu1";
        QTest::newRow("envelope") << FormKind::Envelope << QStringLiteral("Obálka") << QSize(382, 225)
                                  << QPoint(356, 107) << "closeF";
    }
    void look()
    {
        QFETCH(FormKind, kind);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QPoint, position);
        QFETCH(QString, closeName);
        Program p;
        p.loadRecords();
        auto* w = qobject_cast<DocumentWindow*>(OpenDocumentWindow(*p.app, kind));
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->client()->size(), client);
        QCOMPARE(w->pos(), position);
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w->minimumSize(), w->maximumSize()); // fixed size
        const QString menu = QStringLiteral("Súbor|  Tlačiť Ctrl+P <Tlai1>|  Ukážka pred tlačou <Ukkapredtlaou1>|"
                                            "  Zarovnanie tlačiarne… <Zarovnanietlaiarne1>|  Hromadná tlač… <Hromadntla1>|  História tlače… <Histriatlae1>|  -|  Zavrieť Ctrl+F4 <%1>|"
                                            "Poukážka|  Typu A Ctrl+A <TypuA1>|  Typu C Ctrl+C <TypuC1>|"
                                            "  Typu D Ctrl+D <TypuD1>|  Obálka Ctrl+B <Oblka1>|  Platba QR <PlatbaQR1>|  -|"
                                            "  Vlastné formuláre <Vlastnformulre1>|  Otvoriť formulár zo súboru… <Otvoriformulrzosboru1>|"
                                            "Nastavenia|  Nová šablóna pre obálky <Novablnapreoblky1>|  -|"
                                            "  Osobné údaje <Osobndaje1>|  Nastavenia programu F5 <Nastaveniaprogramu1>|"
                                            "Pomoc|  Index F1 <Index1>|  -|  O programe <Oprograme1>")
                                 .arg(closeName);
        QCOMPARE(menuText(w), menu.split('|'));
    }

    void menuOfOneWindowFollowsThePolicy()
    {
        Program p;
        p.loadRecords();
        auto* a = qobject_cast<DocumentWindow*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        QCOMPARE(p.app->OpenFormCount, 1);
        a->TypuC1->trigger();
        QCOMPARE(p.platform.messages.size(), 1);
        QCOMPARE(p.platform.messages.first(), PolicyMessage);
        QCOMPARE(openDocumentWindows().size(), 1);
        QVERIFY(a->isVisible()); // the window whose menu was used stays open

        QPointer<DocumentWindow> gone = a;
        a->closeItem->trigger();
        QCOMPARE(p.app->OpenFormCount, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gone.isNull()); // released at once, never shown again
        QVERIFY(qobject_cast<TCpoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipC)));
        QCOMPARE(p.app->OpenFormCount, 1);
    }

    void menuShortcutsOpenWindows_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opened");
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "TApoukazka";
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << "TCpoukazka";
        QTest::newRow("Ctrl+D") << int(Qt::Key_D) << "TDpoukazka";
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << "Tobl";
    }
    void menuShortcutsOpenWindows()
    {
        QFETCH(int, key);
        QFETCH(QString, opened);
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.loadRecords();
        auto* env = qobject_cast<DocumentWindow*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QApplication::setActiveWindow(env);
        QVERIFY(QTest::qWaitForWindowActive(env));
        QTest::keyClick(env, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(p.app->OpenFormCount, 2);
        QStringList classes;
        for (DocumentWindow* w : openDocumentWindows())
            if (w != env)
                classes << w->metaObject()->className();
        QCOMPARE(classes, QStringList{opened});
    }

    void systemCloseLowersTheCount()
    {
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.loadRecords();
        QList<QWidget*> windows;
        for (FormKind k : {FormKind::SlipA, FormKind::SlipD, FormKind::Envelope})
            windows << OpenDocumentWindow(*p.app, k);
        QCOMPARE(p.app->OpenFormCount, 3);
        for (QWidget* w : windows)
            QVERIFY(w->close());
        QCOMPARE(p.app->OpenFormCount, 0);
    }
};

QTEST_MAIN(DocumentWindowsTest)
#include "test_document_windows.moc"
