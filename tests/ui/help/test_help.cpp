// The help: which way the shell's "open" sends a target, the help window with
// the shipped help (its table of contents, its pictures, its search), and a
// missing help file that opens nothing and says nothing.
#include "ui/desktop/HelpWindow.h"
#include "ui/desktop/ShellTarget.h"
#include "ui/slips/TApoukazka.h"
#include "support/FileFaults.h"
#include "support/Fixture.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextFragment>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QString ShippedHelp = QStringLiteral(ZELVANA_BUILD_FOLDER "/pomoc.hlp");

QList<HelpWindow*> helpWindows()
{
    QList<HelpWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Pomoc") && w->isVisible())
            found.append(qobject_cast<HelpWindow*>(w));
    return found;
}

void closeHelpWindows()
{
    QList<QPointer<QWidget>> all;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<HelpWindow*>(w))
            all.append(w);
    qDeleteAll(all);
}

// Takes what QDesktopServices is asked to open, instead of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

// A message box would wait for a click: this one records it and clicks.
struct MessageWatch {
    QStringList shown;
    QTimer timer;
    MessageWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (auto* box = qobject_cast<QMessageBox*>(modal))
                    shown << box->text();
                modal->close();
            }
        });
        timer.start(20);
    }
};

QStringList topLevelTitles(QTreeWidget* tree)
{
    QStringList titles;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        titles << tree->topLevelItem(i)->text(0);
    return titles;
}

QTreeWidgetItem* itemTitled(QTreeWidget* tree, const QString& title)
{
    const QList<QTreeWidgetItem*> found = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

// The section of the help where the cursor is: the last heading above it.
QString headingAbove(const QTextCursor& cursor)
{
    for (QTextBlock b = cursor.block(); b.isValid(); b = b.previous())
        if (b.blockFormat().headingLevel() >= 2)
            return b.text().simplified();
    return {};
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeHelpWindows(); }

    void targetsGoTheirWay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("help file") << "/opt/z/pomoc.hlp" << "/opt/z/pomoc.hlp" << QUrl();
        QTest::newRow("letter case") << "/opt/z/Pomoc.HLP" << "/opt/z/Pomoc.HLP" << QUrl();
        QTest::newRow("file URL") << "file:///opt/z/pomoc.hlp" << "/opt/z/pomoc.hlp" << QUrl();
        QTest::newRow("name with letters") << "/home/ľuboš/pomoc.hlp" << "/home/ľuboš/pomoc.hlp" << QUrl();
        QTest::newRow("web page") << "https://www.qt.io/" << QString() << QUrl("https://www.qt.io/");
        QTest::newRow("help file on the web")
            << "https://example.org/pomoc.hlp" << QString() << QUrl("https://example.org/pomoc.hlp");
        QTest::newRow("other file") << "/opt/z/list.pdf" << QString() << QUrl::fromLocalFile("/opt/z/list.pdf");
        QTest::newRow("no extension") << "/opt/z/hlp" << QString() << QUrl::fromLocalFile("/opt/z/hlp");
    }
    void targetsGoTheirWay()
    {
        QFETCH(QString, target);
        QFETCH(QString, help);
        QFETCH(QUrl, url);
        QStringList helpFiles;
        QList<QUrl> urls;
        OpenShellTarget(
            target, [&](const QString& file) { helpFiles << file; }, [&](const QUrl& u) { urls << u; });
        QCOMPARE(helpFiles, help.isEmpty() ? QStringList() : QStringList{help});
        QCOMPARE(urls, url.isEmpty() ? QList<QUrl>() : QList<QUrl>{url});
    }

    void desktopGetsEverythingButTheHelp()
    {
        TempProgramFolder folder;
        folder.installShipped(QStringLiteral("pomoc.hlp"));
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
        QtPlatform platform;
        platform.shellOpen(QStringLiteral("https://www.posta.sk/"));
        platform.shellOpen(folder.file(QStringLiteral("zoznam.pdf")));
        QVERIFY(helpWindows().isEmpty());
        platform.shellOpen(folder.file(QStringLiteral("pomoc.hlp")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(recorder.urls, (QList<QUrl>{QUrl(QStringLiteral("https://www.posta.sk/")),
                                             QUrl::fromLocalFile(folder.file(QStringLiteral("zoznam.pdf")))}));
        QCOMPARE(helpWindows().size(), 1);
    }

    void missingHelpOpensNothingAndSaysNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a pipe") << "fifo";
    }
    void missingHelpOpensNothingAndSaysNothing()
    {
        QFETCH(QString, kind);
        HangGuard guard;
        TempProgramFolder folder;
        folder.installShippedTips();
        const QString help = folder.file(QStringLiteral("pomoc.hlp"));
        if (kind == "folder")
            QVERIFY(QDir().mkpath(help));
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(help).constData(), 0600), 0);
        QtPlatform platform;
        AppState app(folder.path(), platform);
        RegisterDocumentWindows(app);
        TForm1 launcher(app);
        MessageWatch messages;
        auto* slip = qobject_cast<DocumentWindow*>(OpenDocumentWindow(app, FormKind::SlipA));
        QVERIFY(slip);
        slip->Index1->trigger();                                     // "Index" of a document window
        launcher.findChild<QAction*>(QStringLiteral("Oprograme1"))->trigger(); // "Pomoc" of the launcher
        QTest::qWait(100);
        QVERIFY(helpWindows().isEmpty());
        QCOMPARE(messages.shown, QStringList());
        deleteDocumentWindows();
    }

    void indexOpensTheHelpBesideTheProgram()
    {
        TempProgramFolder folder;
        folder.installShippedTips();
        folder.installShipped(QStringLiteral("pomoc.hlp"));
        QtPlatform platform;
        AppState app(folder.path(), platform);
        RegisterDocumentWindows(app);
        app.records.LoadOrCreatePersonalData();
        app.records.LoadOrCreateSettings();
        auto* slip = qobject_cast<DocumentWindow*>(OpenDocumentWindow(app, FormKind::SlipA));
        QApplication::setActiveWindow(slip);
        QVERIFY(QTest::qWaitForWindowActive(slip));
        QTest::keyClick(slip, Qt::Key_F1);
        QCOMPARE(helpWindows().size(), 1);
        HelpWindow* help = helpWindows().first();
        QCOMPARE(help->windowTitle(), QStringLiteral("Zelvana – pomoc"));
        // F1 again brings the same window forward rather than a second one.
        QApplication::setActiveWindow(slip);
        slip->Index1->trigger();
        QCOMPARE(helpWindows(), QList<HelpWindow*>{help});
        deleteDocumentWindows();
    }

    void shippedHelpHasItsContents()
    {
        HelpWindow* help = HelpWindow::open(ShippedHelp);
        QVERIFY(help);
        QCOMPARE(help->objectName(), QStringLiteral("Pomoc"));
        QCOMPARE(topLevelTitles(help->contents),
                 (QStringList{QStringLiteral("O programe Zelvana"), QStringLiteral("Hlavné okno"),
                              QStringLiteral("Okná poukážok a obálky"), QStringLiteral("Poštová poukážka typu A"),
                              QStringLiteral("Poštová poukážka typu C"), QStringLiteral("Poštová poukážka typu D"),
                              QStringLiteral("Obálky a šablóny"), QStringLiteral("Platba QR (PAY by square)"), QStringLiteral("Tlač"),
                              QStringLiteral("Vlastné formuláre"), QStringLiteral("Nastavenia programu"),
                              QStringLiteral("Osobné údaje a zoznam bánk"),
                              QStringLiteral("Kde sú uložené súbory"), QStringLiteral("Klávesové skratky"),
                              QStringLiteral("Hlásenia")}));
        QTreeWidgetItem* print = itemTitled(help->contents, QStringLiteral("Tlač"));
        QVERIFY(print);
        QStringList printing;
        for (int i = 0; i < print->childCount(); ++i)
            printing << print->child(i)->text(0);
        QCOMPARE(printing, (QStringList{QStringLiteral("Ukážka pred tlačou"), QStringLiteral("Zarovnanie tlačiarne"),
                                        QStringLiteral("Tlač viacerých poukážok naraz")}));
        QVERIFY(itemTitled(help->contents, QStringLiteral("Nová šablóna pre obálky")));
        QVERIFY(itemTitled(help->contents, QStringLiteral("Zoznam bánk")));
    }

    void everyPictureOfTheHelpShows()
    {
        HelpWindow* help = HelpWindow::open(ShippedHelp);
        QVERIFY(help);
        QTextDocument* doc = help->text->document();
        QStringList pictures;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (const QTextFragment f = it.fragment(); f.charFormat().isImageFormat())
                    pictures << f.charFormat().toImageFormat().name();
        QVERIFY(pictures.size() >= 8);
        for (const QString& name : pictures) {
            // As loaded from the file, or as the document keeps it once shown.
            const QVariant resource = doc->resource(QTextDocument::ImageResource, QUrl(name));
            QImage image;
            if (resource.canConvert<QPixmap>())
                image = resource.value<QPixmap>().toImage();
            else if (resource.canConvert<QImage>())
                image = resource.value<QImage>();
            else
                image.loadFromData(resource.toByteArray());
            QVERIFY2(!image.isNull(), qPrintable(name));
            QVERIFY2(image.width() > 100 && image.height() > 100, qPrintable(name));
        }
    }

    void contentsItemShowsItsSection()
    {
        HelpWindow* help = HelpWindow::open(ShippedHelp);
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QTreeWidgetItem* files = itemTitled(help->contents, QStringLiteral("Kde sú uložené súbory"));
        QVERIFY(files);
        const QRect row = help->contents->visualItemRect(files);
        QTest::mouseClick(help->contents->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(help->text->textCursor().block().text().simplified(), QStringLiteral("Kde sú uložené súbory"));
        QVERIFY(help->text->verticalScrollBar()->value() > 0);
        QVERIFY(help->text->viewport()->rect().contains(help->text->cursorRect()));
    }

    void searchFindsAWordAndItsSection()
    {
        HelpWindow* help = HelpWindow::open(ShippedHelp);
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QTest::keyClicks(help->searchField, QStringLiteral("banky.cbx"));
        QTest::keyClick(help->searchField, Qt::Key_Return);
        QTextCursor hit = help->text->textCursor();
        QCOMPARE(hit.selectedText(), QStringLiteral("banky.cbx"));
        QCOMPARE(help->contents->currentItem()->text(0), headingAbove(hit));
        QVERIFY(help->text->viewport()->rect().intersects(help->text->cursorRect()));
        // Enter again goes on to the next place.
        const int first = hit.position();
        QTest::keyClick(help->searchField, Qt::Key_Return);
        QVERIFY(help->text->textCursor().position() > first);
        QCOMPARE(help->text->textCursor().selectedText(), QStringLiteral("banky.cbx"));
        QVERIFY(help->searchResult->text().isEmpty());
    }

    void searchForgivesMissingDiacritics()
    {
        HelpWindow* help = HelpWindow::open(ShippedHelp);
        QVERIFY(help);
        help->searchField->setText(QStringLiteral("zarovnanie tlaciarne"));
        QTest::mouseClick(help->searchButton, Qt::LeftButton);
        QCOMPARE(help->text->textCursor().selectedText().toLower(), QStringLiteral("zarovnanie tlačiarne"));
        // A mark typed is a mark wanted.
        QVERIFY(!help->find(QStringLiteral("zárovnanie")));
    }

    void wordNotInTheHelpIsSaid()
    {
        HelpWindow* help = HelpWindow::open(ShippedHelp);
        QVERIFY(help);
        QVERIFY(help->find(QStringLiteral("uziv.nas")));
        const QTextCursor before = help->text->textCursor();
        help->searchField->setText(QStringLiteral("xylofón"));
        QTest::keyClick(help->searchField, Qt::Key_Return);
        QCOMPARE(help->searchResult->text(), QStringLiteral("„xylofón“ sa v pomoci nenachádza."));
        QCOMPARE(help->text->textCursor(), before); // the place found before stays
    }
};

QTEST_MAIN(HelpTest)
#include "test_help.moc"
