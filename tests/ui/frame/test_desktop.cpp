// The desktop the program runs on: minimising, Qt's own texts in Slovak, the
// fonts that stand in for the Windows faces, and texts that must show whole.
#include "ui/widgets/Controls.h"
#include "ui/desktop/Desktop.h"
#include "ui/desktop/MessageBox.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TCpoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "support/Fixture.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolTip>
#include <QtTest>

Q_DECLARE_METATYPE(FormKind)

// The program started as main() starts it, on the real desktop seam.
struct DesktopProgram {
    TempProgramFolder folder;
    QtPlatform platform;
    std::unique_ptr<AppState> app;
    std::unique_ptr<TForm1> launcher;

    DesktopProgram()
    {
        folder.installShippedTips(); // a missing tips file would open a blocking box
        app = std::make_unique<AppState>(folder.path(), platform);
        RegisterDocumentWindows(*app);
        launcher = std::make_unique<TForm1>(*app);
    }
    ~DesktopProgram()
    {
        deleteDocumentWindows();
        launcher.reset();
    }
};

// What a menu shows, without the shortcut column.
static QStringList itemTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            texts << a->text().section(QLatin1Char('\t'), 0, 0);
    return texts;
}

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void minimiseTakesTheLauncherAndDocumentWindowsDown()
    {
        DesktopProgram p;
        p.launcher->show();
        QTest::mouseClick(p.launcher->Image1, Qt::LeftButton);
        const QList<DocumentWindow*> documents = openDocumentWindows();
        QCOMPARE(documents.size(), 1);
        QVERIFY(!p.launcher->isMinimized());
        QVERIFY(!documents.first()->isMinimized());

        QTest::mouseClick(p.launcher->Image5, Qt::LeftButton);
        QVERIFY(p.launcher->isMinimized());
        QVERIFY(documents.first()->isMinimized());
        QVERIFY(p.launcher->isVisible()); // minimised, not hidden or closed
        QCOMPARE(p.app->OpenFormCount, 1);
    }

    void minimiseLeavesAnOpenPopupMenuUsable()
    {
        DesktopProgram p;
        p.launcher->show();
        QMenu* menu = p.launcher->PopupMenu1;
        menu->popup(p.launcher->mapToGlobal(QPoint(200, 150)));
        QVERIFY(menu->isVisible());

        QTest::mouseClick(p.launcher->Image5, Qt::LeftButton);
        QVERIFY(p.launcher->isMinimized());
        QVERIFY(!menu->isMinimized());

        // Back on the screen, the menu opens as a menu again.
        menu->hide();
        p.launcher->showNormal();
        menu->popup(p.launcher->mapToGlobal(QPoint(200, 150)));
        QVERIFY(menu->isVisible());
        QVERIFY(!menu->isMinimized());
        QCOMPARE(QApplication::activePopupWidget(), menu);
        menu->hide();
    }

    void refusedCharacterHintShowsBelowTheFieldWithoutABox()
    {
        DesktopProgram p;
        auto* w = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        QVERIFY(w);
        typeText(w->od1, QStringLiteral("Eva") + QStringLiteral("Ω"));
        QCOMPARE(w->od1->text(), QStringLiteral("Eva"));
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), CodePageHint);
        QVERIFY(!QApplication::activeModalWidget()); // nothing to click away
        QWidget* tip = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->windowType() == Qt::ToolTip && top->isVisible())
                tip = top;
        QVERIFY(tip);
        // Below the field, so the text being typed stays in sight.
        const QRect field(w->od1->mapToGlobal(QPoint(0, 0)), w->od1->size());
        QVERIFY(tip->geometry().top() > field.bottom());
        QVERIFY(!tip->geometry().intersects(field));
        QToolTip::hideText();
    }

    void qtOwnTextsAreSlovak()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        const std::unique_ptr<QMenu> english(w->od1->createStandardContextMenu());
        QVERIFY(itemTexts(english.get()).contains(QStringLiteral("&Undo"))); // nothing installed yet

        QVERIFY(InstallSlovakTranslations(*qApp));

        const std::unique_ptr<QMenu> edit(w->od1->createStandardContextMenu());
        QCOMPARE(itemTexts(edit.get()), (QStringList{QStringLiteral("&Späť"), QStringLiteral("Zn&ovu"),
                                                     QStringLiteral("Vys&trihnúť"), QStringLiteral("&Kopírovať"),
                                                     QStringLiteral("V&ložiť"), QStringLiteral("Odstrániť"),
                                                     QStringLiteral("Vybrať všetko")}));
        const std::unique_ptr<QMenu> memo(w->nazov_uctu->createStandardContextMenu());
        QVERIFY(itemTexts(memo.get()).contains(QStringLiteral("&Vložiť")));
        QVERIFY(!itemTexts(memo.get()).contains(QStringLiteral("&Paste")));

        // The buttons of Qt's dialogs (the print dialog's among them).
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušiť"));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Close);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zrušiť"));
        QCOMPARE(buttons.button(QDialogButtonBox::Close)->text(), QStringLiteral("Zavrieť"));
        // GNOME desktops ask for their own button texts.
        QCOMPARE(QCoreApplication::translate("QGnomeTheme", "&Cancel"), QStringLiteral("&Zrušiť"));
        // Texts the catalogue has no entry for stay as they are.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "no such text"), QStringLiteral("no such text"));
    }

    void windowsFacesMapToInstalledFonts_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("installed");
        QTest::newRow("MS Sans Serif") << "MS Sans Serif" << "Liberation Sans";
        QTest::newRow("Arial") << "Arial" << "Liberation Sans";
        QTest::newRow("Arial Narrow") << "Arial Narrow" << "Liberation Sans Narrow";
        QTest::newRow("Times New Roman") << "Times New Roman" << "Liberation Serif";
        QTest::newRow("Arial Black") << "Arial Black" << "DejaVu Sans";
        QTest::newRow("Impact") << "Impact" << "DejaVu Sans Condensed";
    }
    void windowsFacesMapToInstalledFonts()
    {
        QFETCH(QString, face);
        QFETCH(QString, installed);
        SubstituteWindowsFaces();
        QCOMPARE(QFontInfo(QFont(face)).family(), installed);
    }

    void longestStatusHintShowsWhole()
    {
        SubstituteWindowsFaces();
        Program p;
        p.folder.installShippedTips();
        p.start();
        QStatusBar* bar = p.launcher->StatusBar1;
        QString longest;
        for (const char* name : {"Image1", "Image2", "Image3", "Image4", "Image5", "Image6"}) {
            QWidget* picture = p.launcher->findChild<QWidget*>(QString::fromLatin1(name));
            QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), picture->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(picture, &move);
            const QString shown = bar->currentMessage();
            QCOMPARE(shown, TForm1::hintFor(QString::fromLatin1(name)));
            if (bar->fontMetrics().horizontalAdvance(shown) > bar->fontMetrics().horizontalAdvance(longest))
                longest = shown;
        }
        QCOMPARE(longest, QStringLiteral("Formulár na tlač poštovej poukážky typu A "));
        // QStatusBar draws its message from 6 px in to 12 px before its end.
        const int textArea = bar->width() - 6 - 12;
        QVERIFY2(bar->fontMetrics().horizontalAdvance(longest) <= textArea,
                 qPrintable(QStringLiteral("%1 px in %2 px").arg(bar->fontMetrics().horizontalAdvance(longest)).arg(textArea)));
        QVERIFY(bar->fontMetrics().height() <= bar->height());
    }

    void slipLabelsShowWhole_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::newRow("A") << FormKind::SlipA;
        QTest::newRow("C") << FormKind::SlipC;
        QTest::newRow("D") << FormKind::SlipD;
    }
    void slipLabelsShowWhole()
    {
        QFETCH(FormKind, kind);
        SubstituteWindowsFaces();
        Program p;
        p.loadRecords();
        auto* w = qobject_cast<DocumentWindow*>(OpenDocumentWindow(*p.app, kind));
        QVERIFY(w);
        const QRect client = w->client()->rect();
        const QList<QLabel*> labels = w->client()->findChildren<QLabel*>();
        QVERIFY(labels.size() >= 7);
        bool sawWordsHeller = false;
        for (QLabel* label : labels) {
            const QString what = QStringLiteral("\"%1\" at %2,%3 width %4")
                                     .arg(label->text())
                                     .arg(label->x())
                                     .arg(label->y())
                                     .arg(label->width());
            QVERIFY2(client.contains(label->geometry()), qPrintable(what));
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()), qPrintable(what));
            QVERIFY2(label->height() >= label->fontMetrics().height(), qPrintable(what));
            if (label->text() == QLatin1String("h") && label->pos() == QPoint(296, 72)) {
                sawWordsHeller = true;
                QVERIFY2(label->geometry().right() < 305, qPrintable(what));
            }
        }
        QVERIFY(sawWordsHeller); // the "h" after the words of the hellers
    }

    void messageBoxCaptionReadsWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one letter") << "x";
        QTest::newRow("empty") << "";
        QTest::newRow("file error") << "File not found";
    }
    void messageBoxCaptionReadsWhole()
    {
        QFETCH(QString, text);
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(text);
        QCOMPARE(box->windowTitle(), AppTitle);
        box->show(); // the size a message box takes is settled when it shows
        // Window managers draw the caption in a bold title font, and beside
        // it up to three buttons (minimise, maximise, close) of about 32 px.
        QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        title.setBold(true);
        const int needed = QFontMetrics(title).horizontalAdvance(AppTitle) + 3 * 32;
        QVERIFY2(box->width() >= needed, qPrintable(QStringLiteral("%1 < %2").arg(box->width()).arg(needed)));
        box->adjustSize();
        QVERIFY(box->width() >= needed);
        box->hide();
    }
};

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
