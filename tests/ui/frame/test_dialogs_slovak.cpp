// Qt's own dialogs as the program shows them speak Slovak: every text a user
// can see in them is walked and no English word may remain.
#include "ui/desktop/Desktop.h"
#include "ui/desktop/MessageBox.h"
#include "ui/frame/Platform.h"
#include "ui/printing/PrintPreview.h"
#include "ui/desktop/StandardDialogs.h"
#include "ui/settings/Tnastavenia.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

namespace {

QStringList wordsOf(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("\\p{L}+"));
    QStringList words;
    for (auto it = word.globalMatch(QString(text).remove(QLatin1Char('&'))); it.hasNext();)
        words.append(it.next().captured().toLower());
    return words;
}

// Words of the UI texts Qt takes from the system rather than from a catalogue.
const QStringList SystemEnglish = wordsOf(QStringLiteral(
    "jan feb mar apr may jun jul aug sep oct nov dec january february march april june july august september "
    "october november december mon tue wed thu fri sat sun monday tuesday wednesday thursday friday saturday "
    "sunday am pm byte bytes kb mb gb kib mib gib document text plain file folder drive directory computer "
    "all pages page print printer cancel options ok open save close yes no apply help back forward parent new "
    "create delete rename show hidden details list view look name size type date modified copies collate "
    "reverse color colour grayscale gray duplex odd even properties advanced job orientation portrait "
    "landscape margins top bottom left right width height paper source layout order per sheet custom off "
    "long short side binding preview zoom fit first last next previous font style sample effects strikeout "
    "underline writing system any local write output settings range current selection set specify banner "
    "start end priority billing scheduled immediately hold day night weekend secret standard none"));

// Names, units and abbreviations that are the same in Slovak, and Slovak
// words spelt as English ones.
const QStringList Allowed = wordsOf(QStringLiteral(
    "do to on mm cm in pt pc dd cc pdf csv txt ok iso ansi jis prc dl us letter legal tabloid ledger executive folio "
    "quarto statement note monarch chou kaku super didot cicero"));

// Asks nothing of its own: it notes each text Qt looks up and, from the two
// catalogues the program loads, which of its words the user will not see.
class EnglishRecorder : public QTranslator {
public:
    EnglishRecorder()
    {
        const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        loaded = qtbase_.load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"), QStringLiteral("_"),
                              qtFolder)
                 && own_.load(QStringLiteral("zelvana_qt_sk"), QStringLiteral(ZELVANA_BUILD_FOLDER "/translations"));
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        if (!context || !source)
            return {};
        QString slovak = own_.translate(context, source, disambiguation, n);
        if (slovak.isNull())
            slovak = qtbase_.translate(context, source, disambiguation, n);
        if (slovak.isNull() && (qstrcmp(context, "QPlatformTheme") == 0 || qstrcmp(context, "QGnomeTheme") == 0))
            slovak = qtbase_.translate("QDialogButtonBox", source, disambiguation, n);
        const QStringList kept = wordsOf(slovak);
        for (const QString& w : wordsOf(QString::fromUtf8(source)))
            if (!kept.contains(w))
                english.insert(w);
        return {};
    }
    mutable QSet<QString> english;
    bool loaded = false;

private:
    QTranslator qtbase_, own_;
};

bool isAscii(const QString& word)
{
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

class TestDialogsSlovak : public QObject {
    Q_OBJECT
    EnglishRecorder recorder_;
    QStringList names_; // words of file, printer and font names shown
    QStringList found_;

    void check(const QString& where, const QString& shown)
    {
        const QString text = Qt::mightBeRichText(shown) ? QTextDocumentFragment::fromHtml(shown).toPlainText() : shown;
        for (const QString& w : wordsOf(text))
            if (w.size() >= 2 && isAscii(w) && !Allowed.contains(w) && !names_.contains(w)
                && (SystemEnglish.contains(w) || recorder_.english.contains(w)))
                found_.append(QStringLiteral("%1: „%2“ (%3)").arg(where, text, w));
    }
    void checkActions(const QString& where, const QList<QAction*>& actions)
    {
        for (QAction* a : actions) {
            check(where + QStringLiteral(" action"), a->text());
            check(where + QStringLiteral(" action tip"), a->toolTip());
            if (a->menu())
                checkActions(where, a->menu()->actions());
        }
    }
    void checkModel(const QString& where, const QAbstractItemModel* m, const QModelIndex& root)
    {
        for (int c = 0; c < m->columnCount(root); ++c)
            check(where + QStringLiteral(" header"), m->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < m->rowCount(root); ++r)
            for (int c = 0; c < m->columnCount(root); ++c)
                for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)})
                    check(where + QStringLiteral(" item"), m->data(m->index(r, c, root), role).toString());
    }
    // Every visible text of the window; each tab of a tab widget in turn.
    void walk(QWidget* window, const QString& name)
    {
        check(name + QStringLiteral(" title"), window->windowTitle());
        const QList<QWidget*> all = window->findChildren<QWidget*>();
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                check(name + QStringLiteral(" tab"), tabs->tabText(i));
                check(name + QStringLiteral(" tab tip"), tabs->tabToolTip(i));
                walkShown(window, all, name);
            }
        walkShown(window, all, name);
    }
    void walkShown(QWidget* window, const QList<QWidget*>& all, const QString& name)
    {
        for (QWidget* w : all) {
            if (!w->isVisibleTo(window))
                continue;
            const QString where = name + QLatin1Char(' ') + QString::fromLatin1(w->metaObject()->className());
            check(where + QStringLiteral(" tip"), w->toolTip());
            check(where, w->whatsThis());
            checkActions(where, w->actions());
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                check(where, b->text());
            if (auto* b = qobject_cast<QToolButton*>(w); b && b->menu())
                checkActions(where, b->menu()->actions());
            if (auto* l = qobject_cast<QLabel*>(w))
                check(where, l->text());
            if (auto* g = qobject_cast<QGroupBox*>(w))
                check(where, g->title());
            if (auto* c = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < c->count(); ++i)
                    check(where, c->itemText(i));
            if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
                check(where, s->specialValueText());
            if (auto* e = qobject_cast<QLineEdit*>(w))
                check(where, e->placeholderText());
            if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model())
                checkModel(where, v->model(), v->rootIndex());
        }
    }
    void verifyNothingFound()
    {
        const QStringList found = std::exchange(found_, {});
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(recorder_.loaded);
        QVERIFY(InstallSlovakTranslations(*qApp));
        QVERIFY(InstallOwnQtTranslations(*qApp, QStringLiteral(ZELVANA_BUILD_FOLDER)));
        QCoreApplication::installTranslator(&recorder_);
        for (const QString& n : QPrinterInfo::availablePrinterNames())
            names_ += wordsOf(n);
        for (const QString& family : QFontDatabase::families()) {
            names_ += wordsOf(family);
            for (const QString& style : QFontDatabase::styles(family))
                names_ += wordsOf(style); // the fonts' own names, English in most fonts
        }
        names_ += wordsOf(QDir::homePath() + QDir::tempPath());
    }

    void printDialogWithItsOptionsAndProperties()
    {
        QtPlatform platform;
        const std::unique_ptr<QPrintDialog> dialog = MakePrintDialog(platform.currentPrinter(), nullptr);
        dialog->show();
        const QString more = QCoreApplication::translate("QPrintDialog", "&Options >>");
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == more)
                b->click();
        walk(dialog.get(), QStringLiteral("print dialog"));
        auto* properties = dialog->findChild<QPushButton*>(QStringLiteral("properties"));
        QVERIFY(properties && properties->isEnabled());
        bool walked = false;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* page = QApplication::activeModalWidget(); page && page != dialog.get()) {
                walk(page, QStringLiteral("printer properties"));
                walked = true;
                page->close();
            }
        });
        properties->click(); // the page setup, modal until the walk closes it
        QVERIFY(walked);
        verifyNothingFound();
    }

    void fileDialogOfTheBatchWithAFolderListed()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tabulky")));
        for (const char* name : {"platby.csv", "adresy.txt"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("meno;suma\n");
        }
        names_ += wordsOf(dir.path());
        const std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(
            nullptr, QStringLiteral("Hromadná tlač: vyberte tabuľku"), QStringLiteral("Tabuľky (*.csv *.txt);;Všetky súbory (*)"));
        dialog->setDirectory(dir.path());
        dialog->show();
        auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("treeView"));
        QVERIFY(view && view->isVisible());
        // The folder is read and the file types found in the background.
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 3);
        QTRY_VERIFY(!view->model()->index(0, 2, view->rootIndex()).data().toString().isEmpty());
        QTRY_VERIFY(!view->model()->index(2, 2, view->rootIndex()).data().toString().isEmpty());
        walk(dialog.get(), QStringLiteral("file dialog"));
        verifyNothingFound();
    }

    void fontDialogOfTheSettings()
    {
        const std::unique_ptr<QFontDialog> dialog = MakeFontDialog(nullptr, Tnastavenia::initialDialogFont());
        dialog->show();
        walk(dialog.get(), QStringLiteral("font dialog"));
        verifyNothingFound();
    }

    void printPreview()
    {
        QtPlatform platform;
        PrintPreview preview(platform.currentPrinter(), QStringLiteral("Tlačiareň: PDF"),
                             [](QPrinter& p) { QPainter(&p).drawText(100, 100, QStringLiteral("Poukážka")); });
        preview.show();
        walk(&preview, QStringLiteral("preview"));
        verifyNothingFound();
    }

    void messageBox()
    {
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(QStringLiteral("Súbor nemožno otvoriť."));
        box->show();
        walk(box.get(), QStringLiteral("message box"));
        verifyNothingFound();
    }

    void theCheckCatchesEnglish()
    {
        // What Qt shows when a catalogue lacks a text is caught.
        for (const char* english : {"Pages", "Folder", "8 Dec 2026", "Print", "Cancel", "Options", "Page Set:"}) {
            check(QStringLiteral("sample"), QString::fromLatin1(english));
            QVERIFY2(!std::exchange(found_, {}).isEmpty(), english);
        }
        for (const char* slovak : {"Strany od 1 do 2", "Tlač do súboru (PDF)", "Obálka DL", "10 × 11 palcov"})
            check(QStringLiteral("sample"), QString::fromUtf8(slovak));
        verifyNothingFound();
    }
};

QTEST_MAIN(TestDialogsSlovak)
#include "test_dialogs_slovak.moc"
