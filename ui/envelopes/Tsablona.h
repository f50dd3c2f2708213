#pragma once
// The template wizard: three pages that ask for the envelope's size and name,
// then for the two font values, and write data/<name>.obl. Every run starts
// from 0 x 0 mm and the fonts 11 and 9.
#include "core/forms/envelope/EnvelopeTemplate.h"

#include <QDialog>

class AppState;
class QLabel;
class QLineEdit;
class QPushButton;
class SpinEdit;

class Tsablona : public QDialog {
    Q_OBJECT
public:
    explicit Tsablona(AppState& app);

    QLabel* Image1;
    QLabel* Label1; // the page's instruction, bold
    QLabel* Label2; // headline, first line
    QLabel* Label3; // headline, second line
    QLabel* Label4; // "mm" beside SpinEdit2
    QLabel* Label5; // "mm" beside SpinEdit1
    QLabel* Label6; // above SpinEdit2
    QLabel* Label7; // above SpinEdit1
    QLabel* Label8; // name prompt, hint or closing note
    QLineEdit* Edit1;
    SpinEdit* SpinEdit2; // width, then the recipient's font
    SpinEdit* SpinEdit1; // height, then the sender's font
    QPushButton* Button1; // Pokračovať
    QPushButton* Button2; // Späť
    QPushButton* Button3; // Zrušiť, Dokončiť

    void Button1Click();
    void Button2Click();
    void Button3Click();

    std::int32_t WizardStep = 0;
    const EnvelopeTemplate& building() const { return template_; }
    bool written() const { return written_; }

    inline static const QString Caption = QStringLiteral("Sprievodca na vytvorenie šablóny pre obálku.");
    inline static const QString NotWrittenLine = QStringLiteral("Šablónu sa nepodarilo vytvoriť.");
    inline static const QString NotWrittenNote =
        QStringLiteral("Tlačidlom „Späť“ sa vrátite k veľkosti písma\na môžete to skúsiť znova.");

private:
    void FormCreate();
    void showSizePage();
    void showFontPage();
    void finish();
    // A message when the size taken does not fit the page of the printer the
    // next print goes to.
    void tellWhenLargerThanPage();
    // The template file from the name on page 1; true when it was written.
    bool writeTemplate();

    AppState& app_;
    EnvelopeTemplate template_;
    QString name_;
    bool written_ = false;
};
