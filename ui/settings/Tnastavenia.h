#pragma once
// The program settings dialog: every flag, the envelope template and the
// print font of ProgramSettings. It loads from the record when created;
// "Akceptovať" stores and saves, "Zrušiť" changes nothing.
#include <QDialog>
#include <QFont>

class AppState;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class RadioGroup;

class Tnastavenia : public QDialog {
    Q_OBJECT
public:
    explicit Tnastavenia(AppState& app);

    QTabWidget* PageControl1;
    QCheckBox* CheckBox1; // AddName
    QCheckBox* CheckBox2; // AddAddress
    QCheckBox* CheckBox3; // AddCountry
    QCheckBox* CheckBox4; // AutoAmountInWords
    QCheckBox* CheckBox5; // OpenOnStart
    QRadioButton* RadioButton1; // StartWithSlipA
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4; // StartWithEnvelope
    QCheckBox* CheckBox6; // AddAccount
    QCheckBox* CheckBox7; // AddBank
    QCheckBox* CheckBox8; // AllowMultipleForms
    RadioGroup* a;
    QCheckBox* CheckBox9; // AddConstantSymbol
    RadioGroup* c;
    RadioGroup* d;
    RadioGroup* ob;
    QComboBox* ComboBox1; // envelope template
    QLineEdit* Edit1;     // print font face
    QLineEdit* Edit2;     // print font size
    QToolButton* SpeedButton1;
    QPushButton* Button1; // Akceptovať
    QPushButton* Button2; // Zrušiť

    void CheckBox5Click();
    void SpeedButton1Click();
    void Button1Click();
    void Button2Click();

    // What the font dialog opens at before a font is confirmed here.
    static QFont initialDialogFont();
    inline static const QString UnstorableFontMessage = QStringLiteral(
        "Názov písma „%1“ obsahuje znaky, ktoré program nevie uložiť. Vyberte iné písmo.");

private:
    QWidget* buildGeneralPage();
    QWidget* buildOtherPage();
    QWidget* buildPrintPage();
    void FormCreate();
    // The check box of each of flags 0 to 8, by flag index.
    QCheckBox* checkBoxOfFlag(int index) const;

    AppState& app_;
    QFont dialogFont_; // the last font confirmed in this dialog
};
