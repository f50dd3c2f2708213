#pragma once
// How a page of a user form is drawn: each field's text at its place in mm,
// turned with the form, boxed fields one character per box, the PAY by
// square codes; beneath, for the preview, the scan of the form, and on the
// alignment sheet the outlines of the form and its fields.
#include "core/forms/payment/PaymentOrder.h"
#include "core/forms/payment/QrMatrix.h"
#include "core/forms/user/UserLayout.h"
#include "core/print/FormDescription.h"
#include "core/print/PrintCanvas.h"

#include <QImage>
#include <QPointF>
#include <functional>

// Paper mm to device pixels. The printer reports only its printable area;
// it is taken as centred on the paper, which holds for a PDF file and for
// most printers' even margins.
class PaperPlacement {
public:
    PaperPlacement(const PageMeasures& page, const QSizeF& paperMm);
    QPoint device(const QPointF& paperMm) const;
    QTransform toDevice() const; // paper mm to device pixels
    double pixelsPerMm() const { return perMmY_; }

private:
    double perMmX_, perMmY_, offX_, offY_;
};

// Text measured as the print draws it, in mm.
double TextWidthMm(const UserFont& font, const QString& text);
double LineHeightMm(const UserFont& font); // a line's top to the foot of its lowest letter
double LineStepMm(const UserFont& font);   // one line's top to the next one's

// What finds the BIC of an IBAN (the bank list); empty when none is known.
using BicLookup = std::function<QString(const QString& iban)>;

// The payment a PAY by square field makes of the page's texts. A beneficiary
// written on lines gives the name, the street and the town.
PaymentOrder UserPaymentOrder(const UserLayout& layout, const UserField& code, const FieldTexts& texts,
                              const BicLookup& bicOf);
// The payment's QR text, or why there is none.
struct UserPayload {
    std::optional<QString> text;
    QString problem;
    PaymentField field = PaymentField::prijemca;
};
// The user field a payment field of the code comes from; empty when none does.
QString UserFieldOf(const UserPayment& payment, PaymentField field);
UserPayload UserPaymentPayload(const UserLayout& layout, const UserField& code, const FieldTexts& texts,
                               const BicLookup& bicOf);

// Each text that leaves its box, in field order: "Suma: text … sa nezmestí …".
QList<FieldProblem> FitProblems(const UserLayout& layout, const FieldTexts& texts);

// The QR codes of a page, made once from its texts.
class UserCodes : public PageArtefact {
public:
    UserCodes(const UserLayout& layout, const FieldTexts& texts, const BicLookup& bicOf);
    bool madeFrom(const FieldTexts& texts) const override { return from_ == codeTexts(*layout_, texts); }
    // The code of the field of this name; nothing when it could not be made.
    const std::optional<QrMatrix>* matrix(const QString& field) const;

private:
    static QStringList codeTexts(const UserLayout& layout, const FieldTexts& texts);
    const UserLayout* layout_;
    QStringList from_;
    QList<std::pair<QString, std::optional<QrMatrix>>> matrices_;
};

void DrawUserPage(PrintCanvas& canvas, const PageMeasures& page, const UserLayout& layout, const FieldTexts& texts,
                  const UserCodes& codes);

// Under the text: the scan (when given) and the fields' outlines, pale. On the
// alignment sheet: the form's and the fields' outlines, black.
Guide UserPageGuide(const UserLayout& layout, const QImage* background, const PageMeasures& page, SketchUse use);
