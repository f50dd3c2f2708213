// The windows the program places itself lie within the screen's available area.
#include "ui/desktop/HelpWindow.h"
#include "ui/printing/PrintPreview.h"
#include "ui/widgets/ScreenFit.h"
#include "ui/help/TForm2.h"
#include "ui/help/Toprograme.h"
#include "support/Fixture.h"

#include <QPrinter>
#include <QScreen>

class TestScreenFit : public QObject {
    Q_OBJECT

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Shown as the program shows it, the whole frame is on the screen.
    static bool onScreen(QWidget* window)
    {
        window->show();
        QCoreApplication::processEvents();
        return available().contains(window->frameGeometry());
    }

private slots:
    void frameIsShrunkThenMovedInside_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("fitted");
        const QSize none;
        QTest::newRow("inside stays") << QRect(100, 100, 400, 300) << none << QRect(100, 100, 400, 300);
        QTest::newRow("below the bottom edge") << QRect(200, 600, 820, 610) << none << QRect(200, 414, 820, 610);
        QTest::newRow("right of the edge") << QRect(900, 10, 500, 300) << none << QRect(780, 10, 500, 300);
        QTest::newRow("above and left") << QRect(-50, -20, 300, 200) << none << QRect(0, 0, 300, 200);
        QTest::newRow("taller than the screen") << QRect(10, 300, 600, 1100) << none << QRect(10, 0, 600, 1024);
        QTest::newRow("wider than the screen") << QRect(100, 50, 1400, 500) << none << QRect(0, 50, 1280, 500);
        QTest::newRow("minimum larger keeps the title bar")
            << QRect(300, 300, 600, 1100) << QSize(600, 1100) << QRect(300, 0, 600, 1100);
    }
    void frameIsShrunkThenMovedInside()
    {
        QFETCH(QRect, frame);
        QFETCH(QSize, minimum);
        QFETCH(QRect, fitted);
        QCOMPARE(FitFrame(frame, QRect(0, 0, 1280, 1024), minimum), fitted);
        // An area that does not start at the origin, as beside a panel.
        QCOMPARE(FitFrame(frame.translated(40, 30), QRect(40, 30, 1280, 1024), minimum), fitted.translated(40, 30));
    }

    void windowIsResizedAndMovedFrameIncluded()
    {
        QWidget window;
        window.resize(820, 700);
        window.move(300, 500);
        FitWithin(&window, QRect(0, 0, 800, 600));
        window.show();
        QCoreApplication::processEvents();
        QVERIFY2(QRect(0, 0, 800, 600).contains(window.frameGeometry()), qPrintable(QDebug::toString(window.frameGeometry())));
        QVERIFY(window.width() >= 760 && window.height() >= 540); // shrunk by no more than the frame needs
    }

    void helpWindowOpensOnScreen()
    {
        QVERIFY(available().width() < 820); // the help's own width: it must shrink
        HelpWindow* help = HelpWindow::open(QStringLiteral(ZELVANA_BUILD_FOLDER "/pomoc.hlp"));
        QVERIFY(help);
        const std::unique_ptr<HelpWindow> owned(help);
        QVERIFY2(onScreen(help), qPrintable(QDebug::toString(help->frameGeometry())));
    }

    void otherPlacedWindowsOnScreen()
    {
        Program p;
        p.loadRecords();
        QPrinter printer;
        PrintPreview preview(printer, QStringLiteral("PDF"), [](QPrinter&) {});
        QVERIFY(onScreen(&preview));
        Toprograme about(*p.app);
        QVERIFY(onScreen(&about));
        TForm2 links(*p.app);
        QVERIFY(onScreen(&links));
        TForm1 launcher(*p.app);
        QVERIFY(onScreen(&launcher));
        QCOMPARE(launcher.pos(), QPoint(193, 109)); // a window that fits keeps its designed place
    }
};

QTEST_MAIN(TestScreenFit)
#include "test_screen_fit.moc"
