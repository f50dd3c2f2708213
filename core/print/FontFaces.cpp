#include "core/print/FontFaces.h"

#include <QStringList>

QFont MeasuredAlike(QFont font)
{
    // Hinted vertically only, glyphs keep their designed advances.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

void SubstituteWindowsFaces()
{
    // Liberation Sans, Narrow and Serif have the widths of Arial, Arial Narrow
    // and Times New Roman, so the captions fit where they were placed and the
    // memos break where they did.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Narrow"),
                               {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    // No free font has their metrics: the heavy, narrow and wide faces nearest in look.
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Impact"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow")});
}
