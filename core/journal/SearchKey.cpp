#include "core/journal/SearchKey.h"

#include <QList>

namespace {

QString withoutMarks(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar ch : decomposed)
        if (ch.category() != QChar::Mark_NonSpacing && ch.category() != QChar::Mark_SpacingCombining
            && ch.category() != QChar::Mark_Enclosing)
            out += ch;
    return out;
}

// One letter as typed or as written: itself (composed, lower case) and what
// it is without its marks.
struct Letter {
    QString self, bare;
};

QList<Letter> letters(const QString& text)
{
    const QString composed = text.toLower().normalized(QString::NormalizationForm_C);
    QList<Letter> out;
    for (qsizetype i = 0; i < composed.size();) {
        // A surrogate pair or a letter with marks that do not compose stays one letter.
        qsizetype end = i + (composed[i].isHighSurrogate() && i + 1 < composed.size() ? 2 : 1);
        while (end < composed.size() && composed[end].isMark())
            ++end;
        const QString self = composed.mid(i, end - i);
        out.append({self, withoutMarks(self)});
        i = end;
    }
    return out;
}

} // namespace

QString SearchKey(const QString& text)
{
    return withoutMarks(text.toLower()).toLower();
}

bool ForgivingContains(const QString& text, const QString& word)
{
    const QList<Letter> hay = letters(text), needle = letters(word);
    if (needle.isEmpty())
        return true;
    for (qsizetype start = 0; start + needle.size() <= hay.size(); ++start) {
        qsizetype k = 0;
        for (; k < needle.size(); ++k) {
            const Letter& typed = needle[k];
            const Letter& written = hay[start + k];
            const bool plain = typed.self == typed.bare;
            if (typed.self != written.self && !(plain && typed.bare == written.bare))
                break;
        }
        if (k == needle.size())
            return true;
    }
    return false;
}
