#include "app/HelpWindow.h"

#include "app/ScreenFit.h"
#include "base/FileError.h"
#include "base/SafeRead.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
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
    // Nothing from the network, and no file that could hang or flood a read.
    if (!name.isLocalFile())
        return {};
    try {
        return ReadRegularFile(name.toLocalFile(), SmallFileLimit);
    } catch (const FileError&) {
        return {};
    }
}

HelpWindow::HelpWindow() : QWidget(nullptr)
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
    text->setOpenExternalLinks(true);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(contents);
    splitter->addWidget(text);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 560});

    auto* bar = new QHBoxLayout;
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
}

HelpWindow* HelpWindow::open(const QString& path)
{
    HelpWindow* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(w))
            window = help;
    if (!window) {
        auto made = std::make_unique<HelpWindow>();
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
    QTextDocument* document = text->document();
    const QUrl base = QUrl::fromLocalFile(QFileInfo(path).absolutePath() + QLatin1Char('/'));
    document->setBaseUrl(base);
    text->setHtml(QString::fromUtf8(bytes));
    document->setBaseUrl(base);
    const QString title = text->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Pomoc") : title);
    buildContents();
    searchResult->clear();
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
