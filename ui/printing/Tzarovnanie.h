#pragma once
// Lining a printer up with the form: choose the printer, shift the whole form
// right and down in steps of 0.1 mm, see the effect, print a test sheet, and
// keep the shift for that printer in tlaciarne.ini.
#include "core/print/PrinterShift.h"

#include <QDialog>

class AppState;
class PrintGate;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

class Tzarovnanie : public QDialog {
    Q_OBJECT
public:
    Tzarovnanie(AppState& app, PrintGate& window);

    QComboBox* tlaciaren;
    QDoubleSpinBox* doprava;
    QDoubleSpinBox* nadol;
    QLabel* nakres; // the live drawing
    QPushButton* skusobnaStrana;
    QPushButton* akceptovat;
    QPushButton* zrusit;

    FormShift shift() const;
    void tlaciarenChange();
    void skusobnaStranaClick();
    void akceptovatClick();
    // Redraws the form with the shift as it stands.
    void redraw();

    inline static const QString NotSavedMessage =
        QStringLiteral("Zarovnanie sa nepodarilo uložiť do súboru „%1“. Predchádzajúce nastavenie zostalo.");

private:
    QString shiftPath() const;
    AppState& app_;
    PrintGate& window_;
};
