#include "core/forms/user/UserPage.h"

#include "core/forms/payment/Iban.h"
#include "core/forms/payment/PayBySquare.h"
#include "core/forms/payment/PaymentPage.h"
#include "core/forms/payment/PaymentText.h"
#include "core/forms/user/UserFieldText.h"
#include "core/forms/user/UserPlacement.h"
#include "core/print/PrintFont.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {

constexpr double PointMm = 25.4 / 72.0;
// Texts are measured at this resolution, finer than any printer's, so that
// the check and every print agree to a hundredth of a millimetre.
constexpr double MeasureDpi = 2400.0;

QFontMetricsF metricsOf(const UserFont& font)
{
    RotatedText t;
    t.face = font.family;
    t.emPixels = static_cast<int>(std::lround(font.sizePt / 72.0 * MeasureDpi));
    return QFontMetricsF(PrintFontOf(t));
}

double pixelsToMm(double px) { return px / MeasureDpi * 25.4; }

bool fillsFromRight(UserFieldKind kind)
{
    return kind == UserFieldKind::Amount || kind == UserFieldKind::Symbol || kind == UserFieldKind::Date;
}

QString sourceText(const UserField& f, const FieldTexts& texts)
{
    return f.kind == UserFieldKind::Words ? texts.text(f.source) : QString();
}

QStringList linesOf(const UserLayout& l, const UserField& f, const FieldTexts& texts)
{
    return PrintedLines(l, f, texts.text(f.name), sourceText(f, texts));
}

// One text placed on the page: its top-left corner in form mm.
struct Placed {
    QString text;
    QPointF formMm;
};

// Where each line (or each boxed character) of a field goes on the form.
QList<Placed> placeField(const UserLayout& l, const UserField& f, const QStringList& lines)
{
    QList<Placed> out;
    const UserFont font = FieldFont(l, f);
    if (f.boxes) {
        const QString chars = lines.value(0);
        const qsizetype first = fillsFromRight(f.kind) ? std::max<qsizetype>(0, f.boxes->count - chars.size()) : 0;
        for (qsizetype i = 0; i < chars.size() && first + i < f.boxes->count; ++i) {
            const QString c = chars.mid(i, 1);
            if (c == QLatin1String(" "))
                continue;
            const double centre = f.xMm + (static_cast<double>(first + i) + 0.5) * f.boxes->pitchMm;
            out.append({c, {centre - TextWidthMm(font, c) / 2.0, f.yMm}});
        }
        return out;
    }
    const double step = LineStepMm(font);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        double x = f.xMm;
        if (f.align != UserAlign::Left) {
            const double free = f.widthMm - TextWidthMm(font, lines[i]);
            x += f.align == UserAlign::Right ? free : free / 2.0;
        }
        out.append({lines[i], {x, f.yMm + static_cast<double>(i) * step}});
    }
    return out;
}

const PaymentField* paymentFieldOf(const char* key)
{
    static const std::pair<const char*, PaymentField> keys[] = {
        {"iban", PaymentField::iban},    {"amount", PaymentField::suma},     {"vs", PaymentField::vsymbol},
        {"ks", PaymentField::ksymbol},   {"ss", PaymentField::ssymbol},      {"due", PaymentField::splatnost},
        {"message", PaymentField::sprava}};
    for (const auto& k : keys)
        if (qstrcmp(k.first, key) == 0)
            return &k.second;
    return nullptr;
}

// The payment's keys with the user fields they name.
QList<std::pair<const char*, QString>> paymentNames(const UserPayment& p)
{
    return {{"iban", p.iban}, {"amount", p.amount}, {"vs", p.vs},   {"ks", p.ks},
            {"ss", p.ss},     {"due", p.due},       {"message", p.message}};
}

QRect turnedRect(const QRect& r, int rotation)
{
    // Clockwise by `rotation` about the origin, in pixels with y down.
    auto turn = [rotation](QPoint p) {
        switch (rotation) {
        case 90:
            return QPoint(-p.y(), p.x());
        case 180:
            return QPoint(-p.x(), -p.y());
        case 270:
            return QPoint(p.y(), -p.x());
        default:
            return p;
        }
    };
    const QPoint a = turn(r.topLeft()), b = turn(QPoint(r.x() + r.width(), r.y() + r.height()));
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(a.x() - b.x()), std::abs(a.y() - b.y())));
}

QString mmText(double mm) { return QString::number(std::round(mm * 10.0) / 10.0, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')); }

} // namespace

PaperPlacement::PaperPlacement(const PageMeasures& page, const QSizeF& paperMm)
    : perMmX_(page.HorzSize > 0 ? static_cast<double>(page.PageWidth) / page.HorzSize : 0),
      perMmY_(page.VertSize > 0 ? static_cast<double>(page.PageHeight) / page.VertSize : 0),
      offX_(std::max(0.0, (paperMm.width() - page.HorzSize) / 2.0)),
      offY_(std::max(0.0, (paperMm.height() - page.VertSize) / 2.0))
{
}

QPoint PaperPlacement::device(const QPointF& mm) const
{
    return {static_cast<int>(std::lround((mm.x() - offX_) * perMmX_)),
            static_cast<int>(std::lround((mm.y() - offY_) * perMmY_))};
}

QTransform PaperPlacement::toDevice() const
{
    return QTransform::fromTranslate(-offX_, -offY_) * QTransform::fromScale(perMmX_, perMmY_);
}

double TextWidthMm(const UserFont& font, const QString& text)
{
    return pixelsToMm(metricsOf(font).horizontalAdvance(text));
}

double LineHeightMm(const UserFont& font) { return pixelsToMm(metricsOf(font).height()); }

double LineStepMm(const UserFont& font) { return pixelsToMm(metricsOf(font).lineSpacing()); }

PaymentOrder UserPaymentOrder(const UserLayout& l, const UserField& code, const FieldTexts& texts,
                              const BicLookup& bicOf)
{
    PaymentOrder order;
    for (const auto& [key, name] : paymentNames(code.payment))
        if (!name.isEmpty())
            if (const UserField* f = l.field(name))
                order[*paymentFieldOf(key)] = linesOf(l, *f, texts).join(QLatin1Char(' '));
    // The amount and the date as the payment reads them, not as printed.
    if (!code.payment.amount.isEmpty())
        order.suma = texts.text(code.payment.amount);
    if (!code.payment.due.isEmpty())
        order.splatnost = texts.text(code.payment.due);
    if (!code.payment.iban.isEmpty())
        order.iban = texts.text(code.payment.iban);
    if (const UserField* who = code.payment.beneficiary.isEmpty() ? nullptr : l.field(code.payment.beneficiary)) {
        const QStringList lines = linesOf(l, *who, texts);
        order.prijemca = lines.value(0);
        order.prijemca_ulica = lines.value(1);
        order.prijemca_mesto = lines.mid(2).join(QLatin1Char(' '));
    }
    const QString iban = NormalizeIban(order.iban);
    if (bicOf && IbanProblem(iban).isEmpty())
        order.bic = bicOf(iban);
    return order;
}

QString UserFieldOf(const UserPayment& p, PaymentField field)
{
    switch (field) {
    case PaymentField::prijemca:
    case PaymentField::prijemca_ulica:
    case PaymentField::prijemca_mesto:
        return p.beneficiary;
    case PaymentField::iban:
    case PaymentField::bic:
        return p.iban;
    case PaymentField::suma:
        return p.amount;
    case PaymentField::vsymbol:
        return p.vs;
    case PaymentField::ksymbol:
        return p.ks;
    case PaymentField::ssymbol:
        return p.ss;
    case PaymentField::splatnost:
        return p.due;
    case PaymentField::sprava:
        return p.message;
    }
    return {};
}

UserPayload UserPaymentPayload(const UserLayout& l, const UserField& code, const FieldTexts& texts,
                               const BicLookup& bicOf)
{
    PaymentCheck check = CheckPayment(UserPaymentOrder(l, code, texts, bicOf));
    if (!check.payment)
        return {std::nullopt, check.problem, check.field};
    for (QString* t : {&check.payment->prijemca, &check.payment->prijemcaUlica, &check.payment->prijemcaMesto,
                       &check.payment->sprava})
        *t = ShownPaymentText(*t);
    const std::optional<QString> text = PayBySquareText(*check.payment);
    if (!text)
        return {std::nullopt, QStringLiteral("Platba sa nezmestí do QR kódu."), PaymentField::prijemca};
    return {text, {}, PaymentField::prijemca};
}

QList<FieldProblem> FitProblems(const UserLayout& l, const FieldTexts& texts)
{
    QList<FieldProblem> problems;
    for (qsizetype i = 0; i < l.fields.size(); ++i) {
        const UserField& f = l.fields[i];
        if (f.kind == UserFieldKind::PayBySquare)
            continue;
        const QString title = f.name.isEmpty() ? QStringLiteral("%1. pole").arg(i + 1) : FieldTitle(f);
        const QStringList lines = linesOf(l, f, texts);
        if (lines.isEmpty())
            continue;
        const UserFont font = FieldFont(l, f);
        auto refuse = [&](const QString& why) { problems.append({f.name, QStringLiteral("%1: %2.").arg(title, why)}); };
        if (f.boxes) {
            if (lines.first().size() > f.boxes->count)
                refuse(QStringLiteral("má %1 znakov, políčok je %2").arg(lines.first().size()).arg(f.boxes->count));
            else if (LineHeightMm(font) > f.heightMm + 0.01)
                refuse(QStringLiteral("písmo je vyššie ako políčka (%1 mm)").arg(mmText(f.heightMm)));
            continue;
        }
        const double tall = LineHeightMm(font) + static_cast<double>(lines.size() - 1) * LineStepMm(font);
        if (tall > f.heightMm + 0.01) {
            refuse(QStringLiteral("%1 riadkov je vysokých %2 mm, pole má %3 mm")
                       .arg(lines.size())
                       .arg(mmText(tall), mmText(f.heightMm)));
            continue;
        }
        for (const QString& line : lines)
            if (const double wide = TextWidthMm(font, line); wide > f.widthMm + 0.01) {
                refuse(QStringLiteral("text „%1“ je široký %2 mm, pole má %3 mm")
                           .arg(line, mmText(wide), mmText(f.widthMm)));
                break;
            }
    }
    return problems;
}

UserCodes::UserCodes(const UserLayout& layout, const FieldTexts& texts, const BicLookup& bicOf)
    : layout_(&layout), from_(codeTexts(layout, texts))
{
    for (const UserField& f : layout.fields)
        if (f.kind == UserFieldKind::PayBySquare) {
            const UserPayload payload = UserPaymentPayload(layout, f, texts, bicOf);
            matrices_.append({f.name, payload.text ? EncodeQr(*payload.text) : std::nullopt});
        }
}

QStringList UserCodes::codeTexts(const UserLayout& layout, const FieldTexts& texts)
{
    QStringList out;
    for (const UserField& f : layout.fields)
        if (f.kind == UserFieldKind::PayBySquare)
            for (const auto& key : paymentNames(f.payment) + QList<std::pair<const char*, QString>>{{"", f.payment.beneficiary}})
                out << texts.text(key.second);
    return out;
}

const std::optional<QrMatrix>* UserCodes::matrix(const QString& field) const
{
    for (const auto& m : matrices_)
        if (m.first == field)
            return &m.second;
    return nullptr;
}

void DrawUserPage(PrintCanvas& canvas, const PageMeasures& page, const UserLayout& l, const FieldTexts& texts,
                  const UserCodes& codes)
{
    const PaperPlacement at(page, PaperSizeMm(l.paper));
    const QTransform toPaper = FormToPaper(l);
    const int angle = TextAngle(l);
    for (const UserField& f : l.fields) {
        if (f.kind == UserFieldKind::PayBySquare) {
            const std::optional<QrMatrix>* m = codes.matrix(f.name);
            if (!m || !*m)
                continue; // every print checks first: no code, no print
            const int n = (*m)->size + 2 * QrQuietZoneModules;
            const int module = std::max(1, static_cast<int>(std::floor(f.sizeMm * at.pixelsPerMm() / n)));
            const QPoint origin = at.device(toPaper.map(QPointF(f.xMm, f.yMm)));
            QList<QRect> rects;
            for (const QRect& r : QrSquares(**m, QrQuietZoneModules * module, QrQuietZoneModules * module, module))
                rects << turnedRect(r, l.rotation).translated(origin);
            canvas.fillRects(rects);
            continue;
        }
        const UserFont font = FieldFont(l, f);
        for (const Placed& p : placeField(l, f, linesOf(l, f, texts))) {
            RotatedText t;
            t.text = p.text;
            const QPoint d = at.device(toPaper.map(p.formMm));
            t.x = d.x();
            t.y = d.y();
            t.angle = angle;
            t.emPixels = std::max(1, static_cast<int>(std::lround(font.sizePt * PointMm * at.pixelsPerMm())));
            t.face = font.family;
            t.size = static_cast<int>(std::lround(font.sizePt));
            canvas.textOut(t);
        }
    }
}

Guide UserPageGuide(const UserLayout& l, const QImage* background, const PageMeasures& page, SketchUse use)
{
    const PaperPlacement at(page, PaperSizeMm(l.paper));
    const QTransform toDevice = FormToPaper(l) * at.toDevice();
    Guide g;
    g.pale = use == SketchUse::UnderText;
    auto outline = [&](const QRectF& r) {
        const QPolygon p = toDevice.map(QPolygonF(r)).toPolygon();
        for (qsizetype i = 0; i + 1 < p.size(); ++i)
            g.lines << QLine(p[i], p[i + 1]);
    };
    if (use == SketchUse::UnderText && background && !background->isNull())
        g.pictures.append({*background, QTransform::fromScale(l.widthMm / background->width(),
                                                              l.heightMm / background->height())
                                            * toDevice});
    outline(QRectF(0, 0, l.widthMm, l.heightMm));
    for (const UserField& f : l.fields) {
        if (f.kind == UserFieldKind::PayBySquare) {
            outline(QRectF(f.xMm, f.yMm, f.sizeMm, f.sizeMm));
        } else if (f.boxes) {
            for (int i = 0; i < f.boxes->count; ++i)
                outline(QRectF(f.xMm + i * f.boxes->pitchMm, f.yMm, f.boxes->pitchMm, f.heightMm));
        } else {
            outline(QRectF(f.xMm, f.yMm, f.widthMm, f.heightMm));
        }
    }
    return g;
}
