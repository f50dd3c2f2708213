#pragma once
// The links window: the program's pages and two web pages, each opened by a
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

    // The program has no web page of its own, nor its authors: its pages are
    // its help, beside it. The others are what their captions name.
    inline static const QString ProgramPage = QStringLiteral("pomoc.hlp");
    inline static const QString PostPage = QStringLiteral("https://www.posta.sk/");
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
