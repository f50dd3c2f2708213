#pragma once
// The links window: the program's pages, its authors' and a web page, each opened by a
// click on its address. Opened from the about box, a new one on every press,
// modeless and with no owner; it lives until the user closes it.
#include <QWidget>

class AppState;
class PictureLabel;
class QLabel;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(AppState& app);

    // Neither the program nor its authors have a web page yet: both links
    // lead to the help beside the program, which is theirs. No page of
    // someone else is passed off as ours.
    inline static const QString ProgramPage = QStringLiteral("pomoc.hlp");
    inline static const QString AuthorPage = ProgramPage;
    inline static const QString QtPage = QStringLiteral("https://www.qt.io/");

    QLabel* Label1;
    PictureLabel* Label2;
    QLabel* Label3;
    PictureLabel* Label4;
    QLabel* Label5;
    PictureLabel* Label6;

    void Label2Click();
    void Label4Click();
    void Label6Click();

private:
    AppState& app_;
};
