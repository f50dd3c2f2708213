#include "ui/desktop/HelpWindow.h"

#include "ui/frame/ShellSeam.h"
#include "ui/widgets/ScreenFit.h"
#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBlock>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

// A word typed without its diacritics finds it with them too: "poukazka"
// finds "poukážka". A letter typed with its mark finds only itself.
QRegularExpression forgivingPattern(const QString& word)
{
    static const QHash<QChar, QString> marked{
        {u'a', QStringLiteral("aáä")}, {u'c', QStringLiteral("cč")}, {u'd', QStringLiteral("dď")},
        {u'e', QStringLiteral("eéě")}, {u'i', QStringLiteral("ií")}, {u'l', QStringLiteral("lĺľ")},
        {u'n', QStringLiteral("nň")},  {u'o', QStringLiteral("oóô")}, {u'r', QStringLiteral("rŕř")},
        {u's', QStringLiteral("sš")},  {u't', QStringLiteral("tť")},  {u'u', QStringLiteral("uúů")},
        {u'y', QStringLiteral("yý")},  {u'z', QStringLiteral("zž")}};
    QString pattern;
    for (const QChar ch : word) {
        const auto variants = marked.constFind(ch.toLower());
        pattern += variants != marked.cend() ? QLatin1Char('[') + *variants + QLatin1Char(']')
                                             : QRegularExpression::escape(QString(ch));
    }
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}

} // namespace

QVariant HelpText::loadResource(int type, const QUrl& name)
{
    Q_UNUSED(type);
    // Nothing from the network, nothing from outside the help's folder, and
    // no file that could hang or flood a read.
    if (!name.isLocalFile() || !holds(name.toLocalFile()))
        return {};
    try {
        return ReadRegularFile(name.toLocalFile(), SmallFileLimit);
    } catch (const FileError&) {
        return {};
    }
}

bool HelpText::holds(const QString& path) const
{
    return !root.isEmpty() && QDir::cleanPath(QFileInfo(path).absoluteFilePath()).startsWith(root);
}

HelpWindow::HelpWindow(ShellSeam* shell) : QWidget(nullptr), shell_(shell)
{
    setObjectName(QStringLiteral("Pomoc"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pomoc"));
    resize(820, 580);

    searchField = new QLineEdit(this);
    searchField->setObjectName(QStringLiteral("searchField"));
    searchField->setPlaceholderText(QStringLiteral("Hľadať v pomoci"));
    searchField->setClearButtonEnabled(true);
    searchButton = new QPushButton(QStringLiteral("Hľadať"), this);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    searchResult = new QLabel(this);
    searchResult->setObjectName(QStringLiteral("searchResult"));

    contents = new QTreeWidget;
    contents->setObjectName(QStringLiteral("contents"));
    contents->setHeaderLabel(QStringLiteral("Obsah"));
    contents->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    text = new HelpText;
    text->setObjectName(QStringLiteral("text"));
    // Links are followed here, by their kind, never by the browser itself.
    text->setOpenLinks(false);
    backButton = new QPushButton(QStringLiteral("Späť"), this);
    backButton->setObjectName(QStringLiteral("backButton"));
    backButton->setEnabled(false);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(contents);
    splitter->addWidget(text);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 560});

    auto* bar = new QHBoxLayout;
    bar->addWidget(backButton);
    bar->addWidget(searchField, 1);
    bar->addWidget(searchButton);
    bar->addWidget(searchResult, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(bar);
    whole->addWidget(splitter, 1);

    auto search = [this] { find(searchField->text()); };
    connect(searchField, &QLineEdit::returnPressed, this, search);
    connect(searchButton, &QPushButton::clicked, this, search);
    connect(contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { showSection(item); });
    connect(contents, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { showSection(item); });
    connect(text, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(backButton, &QPushButton::clicked, this, &HelpWindow::goBack);
    auto* back = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    back->setContext(Qt::WindowShortcut);
    connect(back, &QShortcut::activated, this, &HelpWindow::goBack);
}

HelpWindow* HelpWindow::open(const QString& path, ShellSeam* shell)
{
    HelpWindow* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(w))
            window = help;
    if (!window) {
        auto made = std::make_unique<HelpWindow>(shell);
        if (!made->load(path))
            return nullptr;
        window = made.release();
    }
    FitOnScreen(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool HelpWindow::load(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = ReadRegularFile(path, SmallFileLimit);
    } catch (const FileError&) {
        return false;
    }
    // The first help file's folder is all the window may show and read.
    if (text->root.isEmpty())
        text->root = QDir::cleanPath(QFileInfo(path).absolutePath()) + QLatin1Char('/');
    QTextDocument* document = text->document();
    const QUrl base = QUrl::fromLocalFile(QFileInfo(path).absolutePath() + QLatin1Char('/'));
    document->setBaseUrl(base);
    text->setHtml(QString::fromUtf8(bytes));
    document->setBaseUrl(base);
    const QString title = text->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Pomoc") : title);
    buildContents();
    searchResult->clear();
    file_ = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return true;
}

void HelpWindow::followLink(const QUrl& link)
{
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        if (shell_)
            shell_->shellOpen(link.toString());
        return;
    }
    // An anchor of this page, or a relative path from the page's folder.
    const QUrl target = link.isRelative() && link.path().isEmpty()
                            ? QUrl::fromLocalFile(file_).resolved(link)
                            : QUrl::fromLocalFile(QFileInfo(file_).absolutePath() + QLatin1Char('/')).resolved(link);
    if (!target.isLocalFile())
        return;
    const QString path = QDir::cleanPath(target.toLocalFile());
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool helpFile = suffix == QLatin1String("hlp") || suffix == QLatin1String("htm") || suffix == QLatin1String("html");
    if (path != file_ && !(helpFile && text->holds(path)))
        return;
    leaveFor(path, target.fragment(QUrl::FullyDecoded));
}

void HelpWindow::leaveFor(const QString& file, const QString& anchor)
{
    const Place here{file_, text->verticalScrollBar()->value()};
    if (file != file_ && !load(file))
        return; // a help file that cannot be read leaves the page as it is
    history_.append(here);
    backButton->setEnabled(true);
    if (anchor.isEmpty())
        text->verticalScrollBar()->setValue(0);
    else
        text->scrollToAnchor(anchor);
}

bool HelpWindow::goBack()
{
    if (history_.isEmpty())
        return false;
    const Place place = history_.takeLast();
    if (place.file != file_)
        load(place.file);
    text->verticalScrollBar()->setValue(place.scroll);
    backButton->setEnabled(!history_.isEmpty());
    return true;
}

void HelpWindow::buildContents()
{
    const QSignalBlocker quiet(contents);
    contents->clear();
    QTreeWidgetItem* section = nullptr;
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 2 && level != 3)
            continue; // the title (h1) is the window's caption
        auto* item = new QTreeWidgetItem(QStringList(block.text().simplified()));
        item->setData(0, Qt::UserRole, block.blockNumber());
        if (level == 3 && section)
            section->addChild(item);
        else
            contents->addTopLevelItem(section = item);
    }
    contents->expandAll();
}

void HelpWindow::showSection(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QTextBlock block = text->document()->findBlockByNumber(item->data(0, Qt::UserRole).toInt());
    if (!block.isValid())
        return;
    text->setTextCursor(QTextCursor(block));
    const QRectF where = text->document()->documentLayout()->blockBoundingRect(block);
    text->verticalScrollBar()->setValue(int(where.top()));
}

bool HelpWindow::find(const QString& word)
{
    const QString wanted = word.trimmed();
    if (wanted.isEmpty())
        return false;
    const QRegularExpression pattern = forgivingPattern(wanted);
    QTextCursor hit = text->document()->find(pattern, text->textCursor());
    if (hit.isNull())
        hit = text->document()->find(pattern, 0);
    if (hit.isNull()) {
        searchResult->setText(QStringLiteral("„%1“ sa v pomoci nenachádza.").arg(wanted));
        return false;
    }
    text->setTextCursor(hit);
    text->ensureCursorVisible();
    markSectionOf(hit.blockNumber());
    searchResult->clear();
    return true;
}

void HelpWindow::markSectionOf(int blockNumber)
{
    QTreeWidgetItem* found = nullptr;
    for (QTreeWidgetItemIterator it(contents); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() <= blockNumber)
            found = *it;
    const QSignalBlocker quiet(contents); // marking must not scroll away from the hit
    contents->setCurrentItem(found);
}
