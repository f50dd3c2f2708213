#pragma once
// The launcher: the main window, a picture menu that opens the document
// windows. Closing it ends the program.
#include "ui/widgets/PictureLabel.h"

#include <QPointer>
#include <QWidget>

class AppState;
class QMenu;
class QPlainTextEdit;
class QStatusBar;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(AppState& app);

    PictureLabel* Image1; // slip A
    PictureLabel* Image2; // slip C
    PictureLabel* Image3; // slip D
    PictureLabel* Image4; // envelope
    PictureLabel* Image5; // minimise
    PictureLabel* Image6; // close
    QLabel* Image7;       // background, carries the popup menu
    QLabel* Label1;
    QLabel* Label2;
    QPlainTextEdit* Memo1;
    QStatusBar* StatusBar1;
    QMenu* PopupMenu1;

    void Image1Click();
    void Image2Click();
    void Image3Click();
    void Image4Click();
    void Image5Click();
    void Image6Click();
    void PlatbaQR1Click(); // the payment window, from the popup menu
    void Oprograme1Click();
    void Osobnnastavenia1Click();
    void Nastaveniaprogramu1Click();
    void Novablnanaoblku1Click(); // the template wizard
    void Histriatlae1Click();     // the print history
    void Nvrhformulra1Click();    // the form designer, beside the other windows
    // Closes uziv.nas, then program.nas; closing goes ahead.
    bool FormCloseQuery();

    // Status bar texts for the pictures, by the control under the mouse.
    static QString hintFor(const QString& controlName);

signals:
    void programEnds(); // the launcher closed: the program ends

protected:
    void closeEvent(QCloseEvent* event) override; // FormCloseQuery
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildPopupMenu();
    void FormCreate();
    void ShowRandomTip();
    void OpenOnStart();
    AppState& app_;
    QList<QPointer<QWidget>> designers_; // the form designers opened from here
};
