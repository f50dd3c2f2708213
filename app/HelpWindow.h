#pragma once
// The program's help: the HTML file pomoc.hlp shown with its table of
// contents (the headings) and a search that forgives missing diacritics.
#include <QTextBrowser>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The help text; its pictures are read like every other file of the program:
// regular files of a bounded size only.
class HelpText : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow();

    // Shows the help file `path` in the open help window, or in a new one.
    // When the file cannot be read nothing opens and nothing is said.
    static HelpWindow* open(const QString& path);

    // Reads the help file; false, and the window unchanged, when it cannot.
    bool load(const QString& path);
    // Selects the next place after the cursor that holds `word` (round to the
    // beginning); false when the help holds it nowhere.
    bool find(const QString& word);
    // Scrolls to the heading of the table of contents' `item`.
    void showSection(QTreeWidgetItem* item);

    QTreeWidget* contents;
    QLineEdit* searchField;
    QPushButton* searchButton;
    QLabel* searchResult;
    HelpText* text;

private:
    void buildContents();
    void markSectionOf(int blockNumber);
};
