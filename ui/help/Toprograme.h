#pragma once
// The about box: the program's picture, name and version, "Zatvoriť", and a
// picture button that opens a links window. Shown modally and destroyed by
// its caller.
#include <QDialog>

class AppState;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

class Toprograme : public QDialog {
    Q_OBJECT
public:
    explicit Toprograme(AppState& app);

    QLabel* Image1;
    QLabel* Label6;
    QLabel* Label2;
    QLabel* Label5;
    QFrame* Bevel1; // the line under the name
    QLabel* Label3;
    QPushButton* Button1;
    QToolButton* SpeedButton1;

    void Button1Click();
    void SpeedButton1Click();

private:
    void loadPicture();
    AppState& app_;
};
