// Start-up sequence, tips, open-window policy and the launcher's own controls.
#include "ui/frame/DocumentKind.h"
#include "ui/envelopes/Tobl.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TCpoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "support/Fixture.h"

#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void newInstallation()
    {
        Program p;
        p.folder.installShippedTips();
        p.start();
        QCOMPARE(p.folder.read("program.nas").size(), 1308);
        QCOMPARE(p.folder.read("uziv.nas"), QByteArray(3584, '\0'));
        QVERIFY(p.platform.messages.isEmpty());
        QCOMPARE(p.app->OpenFormCount, 0);
        QVERIFY(openDocumentWindows().isEmpty());
        QVERIFY(!p.launcher->Memo1->toPlainText().isEmpty());

        p.launcher->Image1Click();
        QCOMPARE(p.app->OpenFormCount, 1);
        QCOMPARE(openDocumentWindows().size(), 1);
        QVERIFY(qobject_cast<TApoukazka*>(openDocumentWindows().first()));

        p.launcher->Image3Click(); // any other button: the policy message
        QCOMPARE(p.platform.messages,
                 QStringList{QStringLiteral("Nastavenia programu nepovoľujú spustenie viacerých formulárov!\r "
                                            "Zatvorte otvorené formuláre, alebo zmente nastavenia programu.")});
        QCOMPARE(p.app->OpenFormCount, 1);
        QCOMPARE(openDocumentWindows().size(), 1);
    }

    void allowMultipleFormsOpensOneMorePerClick()
    {
        Program p;
        p.folder.installShippedTips();
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.start();
        for (int i = 1; i <= 3; ++i) {
            p.launcher->Image2Click();
            QCOMPARE(p.app->OpenFormCount, i);
        }
        QCOMPARE(openDocumentWindows().size(), 3);
        QVERIFY(p.platform.messages.isEmpty());
        // Closing all three returns the count to 0.
        for (DocumentWindow* w : openDocumentWindows())
            w->close();
        QCOMPARE(p.app->OpenFormCount, 0);
    }

    void openOnStart_data()
    {
        QTest::addColumn<QList<Flag>>("flags");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<int>("messages");
        QTest::newRow("slip C only") << QList<Flag>{Flag::OpenOnStart, Flag::StartWithSlipC}
                                     << QStringList{"TCpoukazka"} << 0;
        QTest::newRow("no start flag") << QList<Flag>{Flag::OpenOnStart} << QStringList{} << 0;
        QTest::newRow("flags without OpenOnStart") << QList<Flag>{Flag::StartWithSlipA} << QStringList{} << 0;
        QTest::newRow("A and envelope, one window allowed")
            << QList<Flag>{Flag::OpenOnStart, Flag::StartWithSlipA, Flag::StartWithEnvelope}
            << QStringList{"TApoukazka"} << 1;
        QTest::newRow("all four, several allowed")
            << QList<Flag>{Flag::OpenOnStart, Flag::AllowMultipleForms, Flag::StartWithSlipA, Flag::StartWithSlipC,
                           Flag::StartWithSlipD, Flag::StartWithEnvelope}
            << QStringList{"TApoukazka", "TCpoukazka", "TDpoukazka", "Tobl"} << 0;
    }
    void openOnStart()
    {
        QFETCH(QList<Flag>, flags);
        QFETCH(QStringList, opened);
        QFETCH(int, messages);
        Program p;
        p.folder.installShippedTips();
        ProgramSettings s;
        s.setDefaults();
        for (Flag f : flags)
            s.setFlag(f, true);
        p.folder.write("program.nas", QByteArray(reinterpret_cast<const char*>(s.data()), 1308));
        p.start();
        QStringList classes;
        for (DocumentWindow* w : openDocumentWindows())
            classes.append(w->metaObject()->className());
        classes.sort();
        QCOMPARE(classes, opened);
        QCOMPARE(p.app->OpenFormCount, int(opened.size()));
        QCOMPARE(p.platform.messages.size(), messages);
    }

    void tipNeverShowsTheLastRecord()
    {
        // Five records: the draw is below 4, so records 0 to 3 appear and 4 never does.
        Program p;
        p.folder.writeTips({"tip 0", "tip 1", "tip 2", "tip 3", "tip 4"});
        p.platform.randomScript = {0, 1, 2, 3, 4, 5, 6, 7};
        QSet<QString> seen;
        auto app = std::make_unique<AppState>(p.folder.path(), p.platform);
        for (int i = 0; i < 8; ++i) {
            TForm1 launcher(*app);
            seen.insert(launcher.Memo1->toPlainText());
        }
        QCOMPARE(seen, (QSet<QString>{"tip 0", "tip 1", "tip 2", "tip 3"}));
        for (int n : p.platform.randomCalls)
            QCOMPARE(n, 4);
    }

    void singleTipRecordIsShown()
    {
        Program p;
        p.folder.writeTips({QStringLiteral("Jediný tip: ďakujeme.")});
        p.platform.randomScript = {5};
        p.start();
        QCOMPARE(p.launcher->Memo1->toPlainText(), QStringLiteral("Jediný tip: ďakujeme."));
        QVERIFY(p.platform.messages.isEmpty());
    }

    void shippedTipsAreUsefulShortStrings()
    {
        TempProgramFolder folder;
        folder.installShippedTips();
        const QByteArray bytes = folder.read("data/subor1.tip");
        QCOMPARE(bytes.size() % 256, 0);
        const int records = int(bytes.size() / 256);
        QVERIFY(records - 1 >= 12); // at least 12 tips can be shown
        for (int i = 0; i < records; ++i) {
            const QString tip = fromCp1250(readSlot(reinterpret_cast<const unsigned char*>(bytes.constData()) + i * 256));
            QVERIFY2(tip.size() > 20, qPrintable(tip));
        }
    }

    void shippedTipsHoldForANewInstallation()
    {
        // A new installation has every setting off: a tip that promises
        // something done by itself names the setting that turns it on.
        TempProgramFolder folder;
        folder.installShippedTips();
        const QByteArray bytes = folder.read("data/subor1.tip");
        int checked = 0;
        for (int i = 0; i < int(bytes.size() / 256); ++i) {
            const QString tip = fromCp1250(readSlot(reinterpret_cast<const unsigned char*>(bytes.constData()) + i * 256));
            if (tip.contains(QStringLiteral("slovom")) && (tip.contains(QStringLiteral("doplní")) || tip.contains(QStringLiteral("píše")))) {
                QVERIFY2(tip.contains(QStringLiteral("„Automatický prevod sumy na text“")), qPrintable(tip));
                ++checked;
            }
            if (tip.contains(QStringLiteral("vpíše")) || tip.contains(QStringLiteral("vpisoval"))) {
                QVERIFY2(tip.contains(QStringLiteral("Automaticky pridať")) && tip.contains(QStringLiteral("adresát alebo odosielateľ")),
                         qPrintable(tip));
                ++checked;
            }
            if (tip.contains(QStringLiteral("rozdelí")) && tip.contains(QStringLiteral("Poukážka A")))
                QVERIFY2(tip.contains(QStringLiteral("„Automaticky pridať číslo účtu“")), qPrintable(tip));
        }
        QVERIFY(checked >= 3);
    }

    void tipsFileErrorsStopTheStartUp_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << false << "File not found";
        QTest::newRow("empty") << true << "Read beyond end of file";
    }
    void tipsFileErrorsStopTheStartUp()
    {
        QFETCH(bool, present);
        QFETCH(QString, message);
        Program p;
        if (present)
            p.folder.write("data/subor1.tip", {});
        p.folder.write("program.nas", settingsBytes({Flag::OpenOnStart, Flag::StartWithSlipA}));
        p.start();
        QCOMPARE(p.platform.messages, QStringList{message});
        QVERIFY(p.launcher->Memo1->toPlainText().isEmpty());
        QVERIFY(openDocumentWindows().isEmpty()); // the later steps did not run
        QVERIFY(p.app->records.settingsOpen());
    }

    void shortSettingsFileStillOpensTheLauncher()
    {
        Program p;
        p.folder.installShippedTips();
        p.folder.write("program.nas", QByteArray(100, '\1'));
        p.start();
        QCOMPARE(p.platform.messages, QStringList{"Read beyond end of file"});
        QVERIFY(p.launcher->Memo1->toPlainText().isEmpty());
        QCOMPARE(p.folder.read("program.nas"), QByteArray(100, '\1'));
        // The launcher still works with the in-memory defaults.
        p.launcher->Image4Click();
        QCOMPARE(p.app->OpenFormCount, 1);
    }

    void statusBarTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("Image1") << "Image1" << QStringLiteral("Formulár na tlač poštovej poukážky typu A ");
        QTest::newRow("Image2") << "Image2" << QStringLiteral("Formulár na tlač poštovej poukážky typu C");
        QTest::newRow("Image3") << "Image3" << QStringLiteral("Formulár na tlač poštovej poukážky typu D");
        QTest::newRow("Image4") << "Image4" << QStringLiteral("Formulár na tlač obálok");
        QTest::newRow("Image5") << "Image5" << QStringLiteral("Minimalizovať");
        QTest::newRow("Image6") << "Image6" << QStringLiteral("Zatvoriť program.");
        QTest::newRow("Image7") << "Image7" << QString();
        QTest::newRow("StatusBar1") << "StatusBar1" << QString();
    }
    void statusBarTexts()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        Program p;
        p.folder.installShippedTips();
        p.start();
        p.launcher->StatusBar1->showMessage("stale");
        QWidget* target = p.launcher->findChild<QWidget*>(control);
        QVERIFY(target);
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), target->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QCOMPARE(p.launcher->StatusBar1->currentMessage(), text);
        // Moving over the memo changes nothing.
        QMouseEvent overMemo(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
        QApplication::sendEvent(p.launcher->Memo1, &overMemo);
        QCOMPARE(p.launcher->StatusBar1->currentMessage(), text);
    }

    void layoutAndPictures()
    {
        Program p;
        p.folder.installShippedTips();
        p.start();
        TForm1& l = *p.launcher;
        QCOMPARE(l.size(), QSize(400, 299));
        QCOMPARE(l.Image1->geometry().topLeft(), QPoint(0, 82));
        QCOMPARE(l.Image4->geometry().topLeft(), QPoint(0, 254));
        QCOMPARE(l.Image5->geometry(), QRect(345, 7, 20, 19));
        QCOMPARE(l.Image6->geometry(), QRect(370, 4, 24, 23));
        QCOMPARE(l.Image5->toolTip(), QStringLiteral("Minimalizovať"));
        QCOMPARE(l.Image6->toolTip(), QStringLiteral("Zavrieť"));
        QCOMPARE(l.Memo1->geometry(), QRect(176, 128, 209, 121));
        QVERIFY(l.Memo1->isReadOnly());
        QCOMPARE(l.StatusBar1->geometry(), QRect(152, 280, 241, 17));
        for (PictureLabel* image : {l.Image1, l.Image2, l.Image3, l.Image4, l.Image5, l.Image6}) {
            QCOMPARE(image->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(!image->pixmap().isNull());
            // A drawn picture, not a flat placeholder.
            const QImage img = image->pixmap().toImage();
            QSet<QRgb> colours;
            for (int y = 0; y < img.height(); y += 2)
                for (int x = 0; x < img.width(); x += 2)
                    colours.insert(img.pixel(x, y));
            QVERIFY(colours.size() > 8);
        }
    }

    // The large pale heading is a soft glow behind the small one, not the same
    // words again out of register: round the front one, no pixel jumps sharply.
    void headingGlowsBehindTheTip()
    {
        Program p;
        p.folder.installShippedTips();
        p.start();
        const QRect back = p.launcher->Label2->geometry(), front = p.launcher->Label1->geometry().adjusted(-2, -2, 2, 2);
        const QImage shown = p.launcher->grab(back).toImage();
        int sharpest = 0, pale = 0;
        for (int y = 0; y + 1 < shown.height(); ++y)
            for (int x = 0; x + 1 < shown.width(); ++x)
                if (!front.intersects(QRect(back.topLeft() + QPoint(x, y), QSize(2, 2)))) {
                    const int b = shown.pixelColor(x, y).blue(); // the glow's yellow on the cream ground
                    pale += b < 0xA0;
                    sharpest = std::max({sharpest, std::abs(b - shown.pixelColor(x + 1, y).blue()),
                                         std::abs(b - shown.pixelColor(x, y + 1).blue())});
                }
        QVERIFY2(pale > 20 && sharpest < 40, qPrintable(QStringLiteral("%1 %2").arg(pale).arg(sharpest)));
    }

    void closingAsksAboutADesignNotSaved()
    {
        Program p;
        p.folder.installShippedTips();
        p.start();
        p.launcher->show();
        p.launcher->findChild<QAction*>(QStringLiteral("Nvrhformulra1"))->trigger();
        QWidget* designer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Tnavrh"))
                designer = w;
        QVERIFY(designer);
        designer->findChild<QAction*>(QStringLiteral("PridatText1"))->trigger();
        QStringList asked;
        p.platform.onDialog = [&](QDialog& d) {
            asked << d.objectName();
            qobject_cast<QMessageBox*>(&d)->button(QMessageBox::No)->click();
        };
        QSignalSpy ends(p.launcher.get(), &TForm1::programEnds);
        p.launcher->close();
        QCOMPARE(asked, QStringList{QStringLiteral("ZahoditZmeny")});
        QVERIFY(p.launcher->isVisible() && designer->isVisible());
        QCOMPARE(ends.count(), 0);
        delete designer;
    }

    void popupMenuItemsAndShortcuts()
    {
        Program p;
        p.folder.installShippedTips();
        p.start();
        QStringList shown;
        std::function<void(QMenu*, QString)> walk = [&](QMenu* menu, QString indent) {
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) {
                    shown << indent + "-";
                    continue;
                }
                shown << indent + a->text() + (a->shortcut().isEmpty() ? "" : " " + a->shortcut().toString())
                             + (a->icon().isNull() ? "" : " [icon]");
                if (a->menu())
                    walk(a->menu(), indent + "  ");
            }
        };
        walk(p.launcher->PopupMenu1, "");
        QCOMPARE(shown, (QStringList{QStringLiteral("Poštová poukážka"), "  Typy A Ctrl+A [icon]",
                                     "  Typu C Ctrl+C [icon]", "  Typu D Ctrl+D [icon]",
                                     QStringLiteral("Obálka Ctrl+B [icon]"), "Platba QR [icon]", "-",
                                     QStringLiteral("Nová šablóna na obálku [icon]"), QStringLiteral("Osobné nastavenia"),
                                     QStringLiteral("Nastavenia programu"), "-", "Pomoc F1 [icon]", QStringLiteral("História tlače…"),
                                     "-", QStringLiteral("Vlastné formuláre"), QStringLiteral("Otvoriť formulár zo súboru…"),
                                     QStringLiteral("Návrh formulára…")}));
        // "Typu D" opens a slip D window, "Pomoc" asks the shell for the help file.
        p.launcher->findChild<QAction*>("TypuD1")->trigger();
        QVERIFY(qobject_cast<TDpoukazka*>(openDocumentWindows().value(0)));
        p.launcher->findChild<QAction*>("Oprograme1")->trigger();
        QCOMPARE(p.platform.opened, QStringList{p.folder.file("pomoc.hlp")});
        QVERIFY(p.platform.messages.isEmpty()); // no help file, no message of ours
    }

    void closingTheLauncherEndsTheProgram()
    {
        Program p;
        p.folder.installShippedTips();
        p.start();
        QTest::mouseClick(p.launcher->Image1, Qt::LeftButton);
        QCOMPARE(openDocumentWindows().size(), 1);
        QSignalSpy ends(p.launcher.get(), &TForm1::programEnds);
        QTest::mouseClick(p.launcher->Image6, Qt::LeftButton);
        QCOMPARE(ends.size(), 1);
        QVERIFY(!p.app->records.personalOpen());
        QVERIFY(!p.app->records.settingsOpen());
        QCOMPARE(p.app->OpenFormCount, 1); // the document window was not asked
    }

    void programEndsWithTheEventLoopRunningAndAsksNoDocumentWindow()
    {
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.folder.installShippedTips();
        p.start();
        p.launcher->show();
        QTest::mouseClick(p.launcher->Image1, Qt::LeftButton);
        QTest::mouseClick(p.launcher->Image3, Qt::LeftButton);
        QCOMPARE(p.app->OpenFormCount, 2);
        QTimer::singleShot(0, p.launcher.get(), [&] { QTest::mouseClick(p.launcher->Image6, Qt::LeftButton); });
        QTimer stuck;
        stuck.setSingleShot(true);
        connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        stuck.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0); // the launcher ended the program
        QCOMPARE(p.app->OpenFormCount, 2);      // no document window ran its close handler
        QCOMPARE(openDocumentWindows().size(), 2);
        QVERIFY(!p.app->records.personalOpen());
        QVERIFY(!p.app->records.settingsOpen());
    }

    void minimiseTakesEveryWindowDown()
    {
        Program p;
        p.folder.installShippedTips();
        p.start();
        QTest::mouseClick(p.launcher->Image5, Qt::LeftButton);
        QCOMPARE(p.platform.minimised, 1);
        QCOMPARE(p.app->OpenFormCount, 0);
    }
};

QTEST_MAIN(LauncherTest)
#include "test_launcher.moc"
