#include "core/print/Layout.h"

#include "core/print/PrintCanvas.h"

QString NamePartOf(const QString& line)
{
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    // Without a comma the whole line is the name, so nothing typed is lost.
    return comma < 0 ? line : line.left(comma);
}

QString StreetPartOf(const QString& line)
{
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0)
        return QString();
    // The blank of the ", " that the fill writes goes with the comma; any other
    // character after the comma is the street's own.
    const qsizetype from = comma + 1 < line.size() && line.at(comma + 1) == QLatin1Char(' ') ? comma + 2 : comma + 1;
    return line.mid(from);
}

QStringList MissingFields(std::span<const LayoutRow> layout, const FieldTexts& fields)
{
    QStringList missing;
    auto check = [&](const char* field, bool memo) {
        if (!field)
            return;
        if (!(memo ? fields.hasLines(field) : fields.has(field))) {
            const QString name = QString::fromLatin1(field);
            if (!missing.contains(name))
                missing << name;
        }
    };
    for (const LayoutRow& row : layout) {
        check(row.field, row.form == TextForm::MemoLines);
        check(row.field2, false);
    }
    return missing;
}

static QString visibleText(const LayoutRow& row, const FieldTexts& fields)
{
    const QString t = fields.text(row.field);
    switch (row.form) {
    case TextForm::Whole:
        return t;
    case TextForm::Amount:
        return QLatin1Char('-') + t + QLatin1Char('-');
    case TextForm::Hellers:
        return QLatin1Char('-') + t + QLatin1String("0-");
    case TextForm::Character:
        return row.k >= 1 && row.k <= t.size() ? QString(t.at(row.k - 1)) : QString();
    case TextForm::JoinSpace:
        return t + QLatin1Char(' ') + fields.text(row.field2);
    case TextForm::JoinSlash:
        return t + QLatin1Char('/') + fields.text(row.field2);
    case TextForm::NamePart:
        return NamePartOf(t);
    case TextForm::StreetPart:
        return StreetPartOf(t);
    case TextForm::MemoLines:
        break;
    }
    return {};
}

void DrawLayout(PrintCanvas& canvas, const SlipPlacement& placement, std::span<const LayoutRow> layout,
                const FieldTexts& fields)
{
    constexpr int Angle = 270;
    for (const LayoutRow& row : layout) {
        canvas.font.size = ApplyFontStep(canvas.font.size, row.step);
        const QString spaces(row.spaces, QLatin1Char(' '));
        if (row.form == TextForm::MemoLines) {
            const QStringList lines = fields.lines(row.field);
            for (int i = 0; i < lines.size(); ++i)
                DrawRotatedText(canvas, lines[i] + spaces, placement.DeviceX(row.xMm + 3 * i),
                                placement.DeviceY(row.yMm), Angle);
            continue;
        }
        DrawRotatedText(canvas, visibleText(row, fields) + spaces, placement.DeviceX(row.xMm),
                        placement.DeviceY(row.yMm), Angle);
    }
}
