#include "core/forms/payment/PaymentPage.h"

#include "core/forms/payment/Iban.h"
#include "core/forms/payment/PayBySquare.h"
#include "core/forms/payment/PaymentText.h"

#include <algorithm>
#include <cmath>

namespace {

// A fixed-pitch face, so a line's length in characters tells its width.
const QString PageFace = QStringLiteral("DejaVu Sans Mono");
constexpr double PaperWidthMm = 210.0;
constexpr double PaperHeightMm = 297.0;
constexpr double PointMm = 25.4 / 72.0;

// Millimetres from the sheet's top-left corner to device pixels. The printer
// reports only its printable area; it is taken as centred on the A4 sheet,
// which holds for a PDF file and for most printers' even margins.
class SheetPlacement {
public:
    explicit SheetPlacement(const PageMeasures& page)
        : page_(page), offX_(std::max(0.0, (PaperWidthMm - page.HorzSize) / 2.0)),
          offY_(std::max(0.0, (PaperHeightMm - page.VertSize) / 2.0))
    {
    }
    int x(double mm) const { return static_cast<int>(std::lround((mm - offX_) * page_.PageWidth / page_.HorzSize)); }
    int y(double mm) const { return static_cast<int>(std::lround((mm - offY_) * page_.PageHeight / page_.VertSize)); }
    int pixels(double mm) const { return static_cast<int>(std::lround(mm * page_.PageHeight / page_.VertSize)); }

private:
    PageMeasures page_;
    double offX_, offY_;
};

class Writer {
public:
    Writer(PrintCanvas& canvas, const SheetPlacement& at) : canvas_(canvas), at_(at) {}
    void text(double xMm, double yMm, double points, const QString& s)
    {
        RotatedText t;
        t.text = s;
        t.x = at_.x(xMm);
        t.y = at_.y(yMm);
        t.emPixels = std::max(1, at_.pixels(points * PointMm));
        t.face = PageFace;
        t.size = static_cast<int>(points);
        canvas_.textOut(t);
    }

private:
    PrintCanvas& canvas_;
    const SheetPlacement& at_;
};

constexpr double DetailPoints = 9.0;
constexpr double DetailPitchMm = 4.8;
constexpr double LabelLeftMm = 25.0;
constexpr double ValueLeftMm = 66.0;
constexpr double AddressPoints = 10.0;
constexpr double AddressPitchMm = 4.23;

void drawDetails(Writer& w, const CheckedPayment& p)
{
    double y = DetailsTopMm;
    auto row = [&](const QString& label, const QString& value) {
        if (value.trimmed().isEmpty())
            return;
        w.text(LabelLeftMm, y, DetailPoints, label);
        for (const QString& line : BreakLines(value, DetailValueChars)) {
            w.text(ValueLeftMm, y, DetailPoints, line);
            y += DetailPitchMm;
        }
    };
    row(QStringLiteral("Príjemca:"), p.prijemca);
    row(QString(), p.prijemcaUlica);
    row(QString(), p.prijemcaMesto);
    y += DetailPitchMm / 2;
    row(QStringLiteral("IBAN:"), GroupIban(p.iban));
    row(QStringLiteral("BIC:"), p.bic);
    row(QStringLiteral("Suma:"), AmountInFigures(p.cents));
    row(QStringLiteral("Slovom:"), AmountInWords(p.cents));
    row(QStringLiteral("Variabilný symbol:"), p.vsymbol);
    row(QStringLiteral("Konštantný symbol:"), p.ksymbol);
    row(QStringLiteral("Špecifický symbol:"), p.ssymbol);
    row(QStringLiteral("Dátum splatnosti:"), DueDateText(p.splatnost));
    row(QStringLiteral("Správa pre príjemcu:"), p.sprava);
}

void drawCode(PrintCanvas& canvas, Writer& w, const SheetPlacement& at, const PageMeasures& page,
              const std::optional<QrMatrix>& matrix)
{
    if (!matrix) {
        w.text(QrLeftMm, QrTopMm, DetailPoints, QStringLiteral("QR kód sa nepodarilo vytvoriť."));
        return;
    }
    const int module = QrModulePixels(page, matrix->size + 2 * QrQuietZoneModules);
    const int left = at.x(QrLeftMm) + QrQuietZoneModules * module;
    const int top = at.y(QrTopMm) + QrQuietZoneModules * module;
    canvas.fillRects(QrSquares(*matrix, left, top, module));
    const double sideMm = static_cast<double>(module) * (matrix->size + 2 * QrQuietZoneModules) * page.VertSize
                          / page.PageHeight;
    const double besideMm = QrLeftMm + sideMm + 5.0;
    w.text(besideMm, QrTopMm + 8.0, 14.0, QStringLiteral("PAY by square"));
    w.text(besideMm, QrTopMm + 16.0, DetailPoints, QStringLiteral("Naskenujte kód aplikáciou svojej banky."));
}

QStringList paymentTexts(const FieldTexts& texts)
{
    const PaymentOrder order = PaymentOrderOf(texts);
    QStringList out;
    for (int f = 0; f <= static_cast<int>(PaymentField::sprava); ++f)
        out << order[static_cast<PaymentField>(f)];
    return out;
}

} // namespace

PaymentCheck PagePayment(const FieldTexts& texts)
{
    PaymentCheck check = CheckPayment(PaymentOrderOf(texts));
    if (CheckedPayment* p = check.payment ? &*check.payment : nullptr) {
        for (QString* text : {&p->prijemca, &p->prijemcaUlica, &p->prijemcaMesto, &p->sprava})
            *text = ShownPaymentText(*text);
    }
    return check;
}

PaymentCode::PaymentCode(const FieldTexts& texts) : from_(paymentTexts(texts))
{
    if (const PaymentCheck check = PagePayment(texts); check.payment)
        if (const std::optional<QString> payload = PayBySquareText(*check.payment))
            matrix_ = EncodeQr(*payload);
}

bool PaymentCode::madeFrom(const FieldTexts& texts) const { return from_ == paymentTexts(texts); }

std::shared_ptr<const PageArtefact> PreparePaymentPage(const FieldTexts& texts)
{
    return std::make_shared<const PaymentCode>(texts);
}

QList<QRect> QrSquares(const QrMatrix& matrix, int left, int top, int module)
{
    QList<QRect> rects;
    for (int y = 0; y < matrix.size; ++y) {
        for (int x = 0; x < matrix.size;) {
            if (!matrix.dark(x, y)) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < matrix.size && matrix.dark(x, y))
                ++x;
            rects << QRect(left + from * module, top + y * module, (x - from) * module, module);
        }
    }
    return rects;
}

int QrModulePixels(const PageMeasures& page, int modulesWithQuietZone)
{
    const double perMm = static_cast<double>(page.PageHeight) / page.VertSize;
    const int n = std::max(1, modulesWithQuietZone);
    int module = static_cast<int>(std::floor(QrAimSideMm * perMm / n));
    if (module * n < QrMinSideMm * perMm)
        module = static_cast<int>(std::ceil(QrMinSideMm * perMm / n));
    return std::max(1, module);
}

QStringList BreakLines(const QString& text, int chars)
{
    QStringList lines;
    QString line;
    for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() <= chars) {
            line += QLatin1Char(' ') + word;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        while (word.size() > chars) {
            lines << word.left(chars);
            word = word.mid(chars);
        }
        line = word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

void DrawPaymentPage(PrintCanvas& canvas, const PageMeasures& page, const FieldTexts& texts, const PaymentCode* code)
{
    const SheetPlacement at(page);
    Writer w(canvas, at);
    w.text(LabelLeftMm, 20.0, 14.0, QStringLiteral("Platobný príkaz – PAY by square"));
    const QStringList address = texts.hasLines("adresat") ? texts.lines("adresat") : QStringList();
    for (qsizetype i = 0; i < address.size(); ++i)
        w.text(AddressTextLeftMm, AddressTextTopMm + static_cast<double>(i) * AddressPitchMm, AddressPoints,
               address[i]);
    const PaymentCheck check = PagePayment(texts);
    if (!check.payment) {
        // Every print checks first; should one slip through, the paper says why.
        w.text(QrLeftMm, QrTopMm, DetailPoints, QStringLiteral("Platbu nemožno vytlačiť: ") + check.problem);
        return;
    }
    if (code) {
        drawCode(canvas, w, at, page, code->matrix());
    } else {
        const PaymentCode made(texts);
        drawCode(canvas, w, at, page, made.matrix());
    }
    drawDetails(w, *check.payment);
}

Guide SketchPaymentPage(const PageMeasures& page, bool pale)
{
    const SheetPlacement at(page);
    Guide g;
    g.pale = pale;
    const int l = at.x(AddressFieldLeftMm), t = at.y(AddressFieldTopMm);
    const int r = at.x(AddressFieldLeftMm + AddressFieldWidthMm), b = at.y(AddressFieldTopMm + AddressFieldHeightMm);
    g.lines << QLine(l, t, r, t) << QLine(r, t, r, b) << QLine(r, b, l, b) << QLine(l, b, l, t);
    for (double fold : {105.0, 210.0})
        g.lines << QLine(at.x(5.0), at.y(fold), at.x(10.0), at.y(fold));
    return g;
}
