#include "slips/Layout.h"

#include "slips/PrintCanvas.h"

QString NamePartOf(const QString& line)
{
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    // Without a comma the whole line is the name, so nothing typed is lost.
    return comma < 0 ? line : line.left(comma);
}

QString StreetPartOf(const QString& line)
{
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    // The comma and the one character after it (the blank of ", ") are dropped.
    return comma < 0 ? QString() : line.mid(comma + 2);
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
