// The about box and the links window: their look as designed, the picture
// from the JPEG file (or an empty frame), "Zatvoriť", a new links window on
// every press, links that open their address, and a links window that takes
// clicks while the modal box runs and stays when it has closed.
#include "ui/desktop/Desktop.h"
#include "ui/frame/DocumentKind.h"
#include "ui/widgets/PictureLabel.h"
#include "ui/frame/Pictures.h"
#include "ui/help/TForm2.h"
#include "ui/help/Toprograme.h"
#include "support/FileFaults.h"
#include "support/Fixture.h"

#include <QFontInfo>
#include <QFrame>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <sys/stat.h>

namespace {

QList<TForm2*> linksWindows()
{
    QList<TForm2*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* links = qobject_cast<TForm2*>(w); links && links->isVisible())
            found.append(links);
    return found;
}

void deleteLinksWindows()
{
    QList<QPointer<QWidget>> all;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TForm2*>(w))
            all.append(w);
    qDeleteAll(all);
}

// A click as the window system delivers it: through the window, where Qt
// drops input to windows a modal dialog blocks.
void systemClick(QWidget* widget)
{
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, widget->mapTo(top, widget->rect().center()));
}

// A desktop on which the about box really runs modally, in its own event loop.
class ModalPlatform : public TestPlatform {
public:
    int runDialog(QDialog& dialog) override
    {
        ++dialogsRun;
        return dialog.exec();
    }
};

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SubstituteWindowsFaces(); }
    void cleanup() { deleteLinksWindows(); }

    void aboutBoxLook()
    {
        Program p;
        p.folder.installShipped(QStringLiteral("data/oprograme.jpg"));
        p.loadRecords();
        Toprograme box(*p.app);
        QCOMPARE(box.windowTitle(), QStringLiteral("O programe"));
        QCOMPARE(box.size(), QSize(269, 189));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.pos(), QPoint(260, 116));
        QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(box.palette().color(QPalette::Window), QApplication::palette("QMenu").color(QPalette::Window));
        QVERIFY(box.autoFillBackground());

        struct Expected {
            QLabel* label;
            QString text, face, installed;
            int pixels;
            QPoint at;
            bool bold;
        };
        const Expected labels[] = {
            {box.Label6, "program", "Arial Narrow", "Liberation Sans Narrow", 16, {120, 0}, false},
            {box.Label2, "Zelvana", "Impact", "DejaVu Sans Condensed", 35, {96, 8}, true},
            {box.Label5, "verzia 1.0.1", "Arial Narrow", "Liberation Sans Narrow", 21, {176, 40}, false},
            {box.Label3, QStringLiteral("Pre systém Windows 95, 98, ME"), "Arial Narrow", "Liberation Sans Narrow", 13,
             {104, 80}, false},
        };
        for (const Expected& e : labels) {
            QCOMPARE(e.label->text(), e.text);
            QCOMPARE(e.label->font().family(), e.face);
            QCOMPARE(QFontInfo(e.label->font()).family(), e.installed);
            QCOMPARE(e.label->font().pixelSize(), e.pixels);
            QCOMPARE(e.label->font().bold(), e.bold);
            QCOMPARE(e.label->pos(), e.at);
            // The whole text shows inside the box.
            QVERIFY(e.label->width() >= e.label->fontMetrics().horizontalAdvance(e.text));
            QVERIFY2(box.rect().contains(e.label->geometry()), qPrintable(e.text));
        }
        QVERIFY(!box.Label5->autoFillBackground()); // transparent over the name
        // The version reads on the box: white on a dark menu colour, as designed, never white on a light one.
        for (const QColor menu : {QColor(0xEF, 0xEF, 0xEF), QColor(0xD4, 0xD0, 0xC8), QColor(0x30, 0x30, 0x38)}) {
            QPalette palette = QApplication::palette("QMenu"), before = palette;
            palette.setColor(QPalette::Window, menu);
            QApplication::setPalette(palette, "QMenu");
            Toprograme tinted(*p.app);
            QApplication::setPalette(before, "QMenu");
            const QColor shown = tinted.Label5->palette().color(QPalette::WindowText);
            QVERIFY2(std::abs(qGray(shown.rgb()) - qGray(menu.rgb())) > 110, qPrintable(shown.name()));
            QCOMPARE(shown == QColor(Qt::white), menu.lightness() < 128);
        }

        QCOMPARE(box.Bevel1->geometry(), QRect(96, 72, 169, 2));
        QCOMPARE(box.Bevel1->frameShape(), QFrame::HLine);
        QCOMPARE(box.Button1->text(), QStringLiteral("Zatvoriť"));
        QCOMPARE(box.Button1->pos(), QPoint(136, 160));
        QCOMPARE(box.SpeedButton1->pos(), QPoint(240, 162));
        QVERIFY(!box.SpeedButton1->icon().isNull());
        QVERIFY(box.rect().contains(box.SpeedButton1->geometry()));
        QVERIFY(box.rect().contains(box.Button1->geometry()));

        QCOMPARE(box.Image1->geometry(), QRect(8, 8, 80, 175));
        auto* frame = box.findChild<QFrame*>(QStringLiteral("Panel1"));
        QVERIFY(frame);
        QCOMPARE(frame->frameShadow(), QFrame::Raised);
        QVERIFY(frame->geometry().contains(box.Image1->geometry()));
        QVERIFY(frame->geometry() != box.Image1->geometry()); // the frame shows round the picture
    }

    void pictureIsTheOneDrawnForIt()
    {
        Program p;
        p.folder.installShipped(QStringLiteral("data/oprograme.jpg"));
        p.loadRecords();
        Toprograme box(*p.app);
        const QImage shown = box.Image1->pixmap().toImage();
        QCOMPARE(shown.size(), QSize(80, 175));
        const QImage drawn = Pictures::aboutPicture();
        const double off = meanDifference(shown, drawn);
        QVERIFY2(off < 4.0, qPrintable(QString::number(off))); // JPEG loses a little, no more
        // An upside-down or colour-swapped decode is far off.
        QVERIFY(meanDifference(shown.mirrored(false, true), drawn) > 3 * off);
        QVERIFY(meanDifference(shown.rgbSwapped(), drawn) > 3 * off);
    }

    void missingOrBrokenPictureLeavesTheFrameEmpty_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("cut short") << "cut";
        QTest::newRow("not a JPEG") << "text";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a pipe") << "fifo";
    }
    void missingOrBrokenPictureLeavesTheFrameEmpty()
    {
        QFETCH(QString, kind);
        HangGuard guard;
        Program p;
        const QString name = QStringLiteral("data/oprograme.jpg");
        if (kind == "empty")
            p.folder.write(name, {});
        if (kind == "cut") {
            p.folder.installShipped(name);
            p.folder.write(name, p.folder.read(name).left(600));
        }
        if (kind == "text")
            p.folder.write(name, "obrázok");
        if (kind == "folder")
            QVERIFY(QDir().mkpath(p.folder.file(name)));
        if (kind == "fifo") {
            QVERIFY(QDir().mkpath(p.folder.file("data")));
            QCOMPARE(::mkfifo(QFile::encodeName(p.folder.file(name)).constData(), 0600), 0);
        }
        p.loadRecords();
        Toprograme box(*p.app);
        QVERIFY(box.Image1->pixmap().isNull());
        QCOMPARE(box.Image1->geometry(), QRect(8, 8, 80, 175));
        QVERIFY(p.platform.messages.isEmpty());
    }

    void zatvoritClosesTheBoxAndTheCallerDestroysIt()
    {
        Program p;
        p.loadRecords();
        QPointer<QDialog> seen;
        bool openWhenShown = false;
        p.platform.onDialog = [&](QDialog& d) {
            seen = &d;
            openWhenShown = d.isVisible();
            QTest::mouseClick(static_cast<Toprograme&>(d).Button1, Qt::LeftButton);
        };
        RunDialog(*p.app, DialogKind::About);
        QCOMPARE(p.platform.dialogsRun, 1);
        QVERIFY(openWhenShown);
        QVERIFY(seen.isNull()); // closed by the button, then destroyed
    }

    void everyPressOpensANewLinksWindow()
    {
        Program p;
        p.loadRecords();
        Toprograme box(*p.app);
        box.show();
        QTest::mouseClick(box.SpeedButton1, Qt::LeftButton);
        QCOMPARE(linksWindows().size(), 1);
        TForm2* first = linksWindows().first();
        QTest::mouseClick(box.SpeedButton1, Qt::LeftButton);
        const QList<TForm2*> both = linksWindows();
        QCOMPARE(both.size(), 2);
        QVERIFY(both.contains(first));
        QVERIFY(!first->parent() && !both[0]->parent() && !both[1]->parent()); // no owner
    }

    void linksWindowLook()
    {
        Program p;
        p.loadRecords();
        TForm2 links(*p.app);
        QCOMPARE(links.windowTitle(), QStringLiteral("Odkazy na internetové stránky."));
        QCOMPARE(links.size(), QSize(280, 118));
        QCOMPARE(links.minimumSize(), links.maximumSize());
        QCOMPARE(links.pos(), QPoint(402, 110));
        QVERIFY(!(links.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(links.Label1->text(), QStringLiteral("Stránky programu Zelvana:"));
        QCOMPARE(links.Label3->text(), QStringLiteral("Stránky autora programu:"));
        QVERIFY(!links.Label5->text().isEmpty());
        const QList<QPair<PictureLabel*, QString>> addresses{
            {links.Label2, "pomoc.hlp"}, {links.Label4, "pomoc.hlp"}, {links.Label6, "https://www.qt.io/"}};
        for (const auto& [label, address] : addresses) {
            QCOMPARE(label->text(), address);
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QVERIFY(label->font().bold());
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        }
        // Three sections, one below the other, parted by two lines.
        QList<QFrame*> lines;
        for (QFrame* f : links.findChildren<QFrame*>())
            if (f->frameShape() == QFrame::HLine)
                lines << f;
        QCOMPARE(lines.size(), 2);
        std::sort(lines.begin(), lines.end(), [](QFrame* a, QFrame* b) { return a->y() < b->y(); });
        const QList<QWidget*> order{links.Label1, links.Label2, lines[0], links.Label3,
                                    links.Label4, lines[1], links.Label5, links.Label6};
        for (int i = 1; i < order.size(); ++i)
            QVERIFY(order[i]->geometry().top() >= order[i - 1]->geometry().bottom());
        for (QWidget* w : order)
            QVERIFY(links.rect().contains(w->geometry()));
    }

    // The program's and its authors' pages are its own help, as "Pomoc"
    // opens it; the web page is what its caption names.
    void clickingALinkOpensItsAddress()
    {
        Program p;
        p.loadRecords();
        TForm2 links(*p.app);
        links.show();
        QTest::mouseClick(links.Label2, Qt::LeftButton);
        QTest::mouseClick(links.Label4, Qt::LeftButton);
        QTest::mouseClick(links.Label6, Qt::LeftButton);
        OpenHelpFile(*p.app);
        const QStringList opened = p.platform.opened;
        QCOMPARE(opened.size(), 4);
        QCOMPARE(opened[0], opened[3]);
        QCOMPARE(opened[1], opened[3]);
        QCOMPARE(opened[2], links.Label6->text());
        QCOMPARE(links.Label1->cursor().shape(), Qt::ArrowCursor); // the captions are no links
        QTest::mouseClick(links.Label1, Qt::LeftButton);
        QCOMPARE(p.platform.opened.size(), 4);
    }

    void linksWindowWorksWhileTheModalBoxRunsAndOutlivesIt()
    {
        HangGuard guard(30);
        TempProgramFolder folder;
        ModalPlatform platform;
        AppState app(folder.path(), platform);
        RegisterDocumentWindows(app);
        app.records.LoadOrCreatePersonalData();
        app.records.LoadOrCreateSettings();

        QPointer<Toprograme> box;
        QPointer<TForm2> first, second;
        int plainClicks = 0;
        std::unique_ptr<QWidget> plain;
        QTimer stuck;
        stuck.setSingleShot(true);
        connect(&stuck, &QTimer::timeout, [&] {
            if (box)
                box->reject();
        });
        QTimer::singleShot(0, [&] {
            box = qobject_cast<Toprograme*>(QApplication::activeModalWidget());
            QVERIFY(box);
            stuck.start(10000);
            // A window of no relation to the box takes no clicks meanwhile:
            // the clicks below go through Qt's modality check.
            plain = std::make_unique<QPushButton>(QStringLiteral("x"));
            connect(static_cast<QPushButton*>(plain.get()), &QPushButton::clicked, [&] { ++plainClicks; });
            plain->show();
            systemClick(plain.get());

            systemClick(box->SpeedButton1);
            QCOMPARE(linksWindows().size(), 1);
            first = linksWindows().first();
            systemClick(first->Label2);
            systemClick(box->SpeedButton1); // the box still takes clicks
            for (TForm2* w : linksWindows())
                if (w != first)
                    second = w;
            QVERIFY(second);
            systemClick(second->Label4);
            systemClick(first->Label6);
            systemClick(box->Button1);
        });
        RunDialog(app, DialogKind::About);
        stuck.stop();
        QCOMPARE(plainClicks, 0);
        QCOMPARE(platform.dialogsRun, 1);
        QVERIFY(box.isNull()); // closed and destroyed
        QCOMPARE(platform.opened, (QStringList{app.pathInProgramFolder(TForm2::ProgramPage), app.pathInProgramFolder(TForm2::AuthorPage), TForm2::QtPage}));
        QVERIFY(first && first->isVisible());
        QVERIFY(second && second->isVisible());
        QCOMPARE(first->windowHandle()->transientParent(), nullptr); // no tie left to the box
        systemClick(first->Label4);
        QCOMPARE(platform.opened.size(), 4);
        QCOMPARE(platform.opened.last(), app.pathInProgramFolder(TForm2::AuthorPage));
        systemClick(plain.get());
        QCOMPARE(plainClicks, 1); // with the box gone nothing is blocked
        // A links window lives until its user closes it.
        QVERIFY(second->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(second.isNull());
        QVERIFY(first);
    }
};

QTEST_MAIN(AboutTest)
#include "test_about.moc"
