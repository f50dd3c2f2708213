#include "core/forms/user/UserFieldText.h"

#include "core/forms/payment/Iban.h"
#include "core/forms/payment/PaymentOrder.h"
#include "core/forms/payment/PaymentText.h"

QStringList TypedLines(const QString& typed)
{
    QStringList lines = typed.split(QLatin1Char('\n'));
    for (QString& l : lines)
        l.remove(QLatin1Char('\r'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

namespace {

QString onlyDigits(const QString& s)
{
    QString out;
    for (QChar c : s)
        if (c.isDigit())
            out += c;
    return out;
}

} // namespace

UserFont FieldFont(const UserLayout& layout, const UserField& field)
{
    UserFont f = layout.font;
    if (field.font) {
        if (!field.font->family.isEmpty())
            f.family = field.font->family;
        if (field.font->sizePt > 0)
            f.sizePt = field.font->sizePt;
    }
    return f;
}

QString FieldTitle(const UserField& field) { return field.caption.isEmpty() ? field.name : field.caption; }

QString EuroFigures(qint64 cents)
{
    const QString figures = AmountInFigures(cents);
    return figures.left(figures.size() - 4); // without " EUR"
}

QStringList PrintedLines(const UserLayout&, const UserField& field, const QString& typed, const QString& sourceTyped)
{
    const bool boxed = field.boxes.has_value();
    switch (field.kind) {
    case UserFieldKind::Static:
        return TypedLines(field.value);
    case UserFieldKind::PayBySquare:
        return {};
    case UserFieldKind::Words: {
        const std::optional<qint64> cents = ParseEuroCents(sourceTyped);
        if (sourceTyped.trimmed().isEmpty() || !cents)
            return {};
        return {AmountInWords(*cents)};
    }
    case UserFieldKind::Text:
        return field.lines > 1 ? TypedLines(typed) : (typed.isEmpty() ? QStringList() : QStringList{typed});
    default:
        break;
    }
    const QString t = typed.trimmed();
    if (t.isEmpty())
        return {};
    switch (field.kind) {
    case UserFieldKind::Amount:
        if (const std::optional<qint64> cents = ParseEuroCents(t))
            // Boxed, the cents take the last two boxes even below a euro: 0,05 is "005".
            return {boxed ? QString::number(*cents).rightJustified(3, QLatin1Char('0')) : EuroFigures(*cents)};
        break;
    case UserFieldKind::Date:
        if (const std::optional<QDate> d = ParseDueDate(t))
            return {d->toString(boxed ? QStringLiteral("ddMMyyyy") : QStringLiteral("dd.MM.yyyy"))};
        break;
    case UserFieldKind::Iban: {
        const QString iban = NormalizeIban(t);
        return {boxed ? iban : GroupIban(iban)};
    }
    case UserFieldKind::Symbol:
        return {t};
    default:
        break;
    }
    return {t};
}

QString TypedProblem(const UserField& field, const QString& typed)
{
    const QString title = FieldTitle(field);
    const QString t = typed.trimmed();
    auto refused = [&](const QString& why) { return QStringLiteral("%1: %2.").arg(title, why); };
    switch (field.kind) {
    case UserFieldKind::Amount:
        if (t.isEmpty())
            return {};
        if (const std::optional<qint64> cents = ParseEuroCents(t); !cents)
            return refused(QStringLiteral("zadajte sumu v eurách, napríklad 1234,50"));
        else if (*cents > MaxPaymentCents)
            return refused(QStringLiteral("suma môže byť najviac 9 999 999,99 EUR"));
        break;
    case UserFieldKind::Date:
        if (!t.isEmpty() && !ParseDueDate(t))
            return refused(QStringLiteral("zadajte dátum v tvare 31.1.2027 alebo 2027-01-31"));
        break;
    case UserFieldKind::Iban:
        if (!t.isEmpty())
            if (const QString why = IbanProblem(NormalizeIban(t)); !why.isEmpty())
                return refused(why);
        break;
    case UserFieldKind::Symbol:
        if (onlyDigits(t) != t)
            return refused(QStringLiteral("smie obsahovať len číslice"));
        break;
    case UserFieldKind::Text: {
        const QStringList lines = field.lines > 1 ? TypedLines(typed) : QStringList{typed};
        if (field.lines <= 1 && typed.contains(QLatin1Char('\n')))
            return refused(QStringLiteral("pole má jediný riadok"));
        if (lines.size() > field.lines)
            return refused(QStringLiteral("má %1 riadkov, pole ich má %2").arg(lines.size()).arg(field.lines));
        break;
    }
    default:
        return {};
    }
    if (field.maxChars > 0) {
        const QStringList lines = field.kind == UserFieldKind::Text ? TypedLines(typed) : QStringList{t};
        for (const QString& line : lines)
            if (line.size() > field.maxChars)
                return refused(QStringLiteral("má %1 znakov, zmestí sa najviac %2").arg(line.size()).arg(field.maxChars));
    }
    return {};
}
