#pragma once
// The links window: three web pages, each opened in the user's browser by a
// click on its address. Opened from the about box, a new one on every press,
// modeless and with no owner; it lives until the user closes it.
#include <QWidget>

class Platform;
class PictureLabel;
class QLabel;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(Platform& platform);

    // The program has no web page of its own: the pages nearest to it, the
    // post office whose forms it fills and the system it is made for.
    inline static const QString ProgramPage = QStringLiteral("https://www.posta.sk/");
    inline static const QString AuthorPage = QStringLiteral("https://www.debian.org/");
    inline static const QString RelatedPage = QStringLiteral("https://www.qt.io/");

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
    Platform& platform_;
};
