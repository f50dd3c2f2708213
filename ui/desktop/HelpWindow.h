#pragma once
// The program's help: the HTML file pomoc.hlp shown with its table of
// contents (the headings) and a search that forgives missing diacritics.
#include <QTextBrowser>
#include <QWidget>

class ShellSeam;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The help text; its pictures are read like every other file of the program:
// regular files of a bounded size only, and only from the help's own folder.
class HelpText : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
    // The folder the help may read from (with a trailing separator); none set, none read.
    QString root;
    // Whether `path` lies in `root` or a folder below it.
    bool holds(const QString& path) const;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Web links go to the desktop through `shell`; without one they are ignored.
    explicit HelpWindow(ShellSeam* shell = nullptr);

    // Shows the help file `path` in the open help window, or in a new one.
    // When the file cannot be read nothing opens and nothing is said.
    static HelpWindow* open(const QString& path, ShellSeam* shell = nullptr);

    // Reads the help file; false, and the window unchanged, when it cannot.
    bool load(const QString& path);
    // Selects the next place after the cursor that holds `word` (round to the
    // beginning); false when the help holds it nowhere.
    bool find(const QString& word);
    // Scrolls to the heading of the table of contents' `item`.
    void showSection(QTreeWidgetItem* item);
    // A link of the help: its own anchors and help files below its folder are
    // shown, http and https go to the desktop's browser, the rest is ignored.
    void followLink(const QUrl& link);
    // Back to the place the last followed link left; false when there is none.
    bool goBack();

    QTreeWidget* contents;
    QLineEdit* searchField;
    QPushButton* searchButton;
    QLabel* searchResult;
    HelpText* text;
    QPushButton* backButton;

private:
    struct Place {
        QString file;
        int scroll;
    };
    void leaveFor(const QString& file, const QString& anchor);
    void buildContents();
    void markSectionOf(int blockNumber);

    ShellSeam* shell_;
    QString file_; // the help file shown
    QList<Place> history_;
};
