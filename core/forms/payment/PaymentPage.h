#pragma once
// The payment's A4 page: the QR code drawn as squares, the payment in words
// and the payer's address where a DL window envelope shows it.
#include "core/forms/payment/PaymentOrder.h"
#include "core/forms/payment/QrMatrix.h"
#include "core/print/FormDescription.h"
#include "core/print/PrintCanvas.h"

// The payer's address follows DIN 5008, form B: the address field lies 20 mm
// from the left and 45 mm from the top edge of the sheet, 85 x 45 mm; its
// first 17.7 mm are the note zone, the address starts below. Folded in
// thirds (marks at 105 and 210 mm) the sheet shows it in the 90 x 45 mm
// window of a DL envelope (DIN 680: 20 mm from the left, 15 mm from the foot).
constexpr double AddressFieldLeftMm = 20.0;
constexpr double AddressFieldTopMm = 45.0;
constexpr double AddressFieldWidthMm = 85.0;
constexpr double AddressFieldHeightMm = 45.0;
constexpr double AddressTextLeftMm = 25.0;
constexpr double AddressTextTopMm = 62.7;

// Where the QR code with its quiet zone starts, and the side it aims at.
constexpr double QrLeftMm = 25.0;
constexpr double QrTopMm = 110.0;
constexpr double QrAimSideMm = 50.0;

// The payment in words: labels, then values from this column; a value
// longer than a line goes on below, never cut.
constexpr double DetailsTopMm = 172.0;
constexpr int DetailValueChars = 70;

// The squares of `matrix` with its top-left module at (left, top) and
// `module` pixels a side; runs of dark modules in a row are one rectangle.
QList<QRect> QrSquares(const QrMatrix& matrix, int left, int top, int module);

// The pixels a module takes on `page`: the code with its quiet zone as near
// QrAimSideMm as whole pixels allow and never under QrMinSideMm.
int QrModulePixels(const PageMeasures& page, int modulesWithQuietZone);

// Lines of at most `chars` characters, broken at blanks where it can and
// within a word only when the word alone is longer.
QStringList BreakLines(const QString& text, int chars);

// The payment a page of these texts prints, its texts as the page shows
// them (ShownPaymentText), or why the texts cannot be printed.
PaymentCheck PagePayment(const FieldTexts& texts);

// The QR code of a page, made once from its texts: nothing when the texts
// fail the check or no code can hold the payload.
class PaymentCode : public PageArtefact {
public:
    explicit PaymentCode(const FieldTexts& texts);
    bool madeFrom(const FieldTexts& texts) const override;
    const std::optional<QrMatrix>& matrix() const { return matrix_; }

private:
    QStringList from_; // the payment's texts it was made from
    std::optional<QrMatrix> matrix_;
};

std::shared_ptr<const PageArtefact> PreparePaymentPage(const FieldTexts& texts);

// The whole page from the texts of a checked payment, its code from `code`
// (made here when null). Texts that fail the check print their reason in
// place of the code.
void DrawPaymentPage(PrintCanvas& canvas, const PageMeasures& page, const FieldTexts& texts,
                     const PaymentCode* code = nullptr);

// The address field and the fold marks, pale or black.
Guide SketchPaymentPage(const PageMeasures& page, bool pale);
