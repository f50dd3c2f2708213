#include "slips/SlipWindow.h"

#include <QLineEdit>

SlipWindow::SlipWindow(AppState& app, const DocumentLook& look, const QString& initialHal,
                       const QColor& wordsBackground)
    : DocumentWindow(app, look), amount(new AmountFields(app, client(), initialHal, wordsBackground)),
      suma(amount->suma), hal(amount->hal), slovom1(amount->slovom1), slovom2(amount->slovom2),
      slovomh(amount->slovomh)
{
    setTabOrder(suma, hal);
    suma->setFocus();
}
