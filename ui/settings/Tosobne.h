#pragma once
// The personal data dialog: the user's name, address and payment details of
// PersonalData, and the bank list banky.cbx. "Akceptovať" stores, saves both
// files and closes; "Zrušiť" changes nothing in memory or on disk.
#include <QDialog>

class AppState;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

class Tosobne : public QDialog {
    Q_OBJECT
public:
    explicit Tosobne(AppState& app);

    QTabWidget* PageControl1;
    QLineEdit* titul;
    QLineEdit* meno;
    QLineEdit* priezvisko;
    QLineEdit* ulica;
    QLineEdit* cd;
    QLineEdit* mesto;
    QLineEdit* psc;
    QLineEdit* stat;
    QComboBox* PU;
    QToolButton* SpeedButton1;
    QLineEdit* CU;
    QPlainTextEdit* nazov;
    QLineEdit* ksymbol;
    QLineEdit* PV;
    QLineEdit* pv2;
    QPushButton* BitBtn1; // Akceptovať
    QPushButton* BitBtn2; // Zrušiť

    void SpeedButton1Click();
    void BitBtn1Click();
    void BitBtn2Click();

    inline static const QString PostcodeMessage = QStringLiteral("PSČ môže obsahovať iba číslice, najviac 5.");

private:
    QWidget* buildAddressPage();
    QWidget* buildOtherPage();
    void FormCreate();
    QString bankListPath() const;

    AppState& app_;
};
