#include "core/journal/SearchKey.h"

#include <QList>
#include <optional>
#include <vector>

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

} // namespace

ForgivingWord::ForgivingWord(const QString& word) : key_(SearchKey(word))
{
    const QString composed = word.toLower().normalized(QString::NormalizationForm_C);
    QList<Letter>& out = letters_;
    for (qsizetype i = 0; i < composed.size();) {
        // A surrogate pair or a letter with marks that do not compose stays one letter.
        qsizetype end = i + (composed[i].isHighSurrogate() && i + 1 < composed.size() ? 2 : 1);
        while (end < composed.size() && composed[end].isMark())
            ++end;
        const QString self = composed.mid(i, end - i);
        out.append({self, withoutMarks(self)});
        i = end;
    }
}

QString SearchKey(const QString& text)
{
    return withoutMarks(text.toLower()).toLower();
}

bool ForgivingContains(const QString& text, const QString& word)
{
    return ForgivingWord(word).in(text);
}

bool ForgivingWord::in(const QString& text) const
{
    const QList<Letter>& needle = letters_;
    if (needle.isEmpty())
        return true;
    // The text's letters as places in it, their bare forms made only when
    // asked: a journal's search runs this over every text of a job.
    const QString hay = text.toLower().normalized(QString::NormalizationForm_C);
    struct Place {
        qsizetype at, size;
    };
    std::vector<Place> places;
    places.reserve(static_cast<size_t>(hay.size()));
    for (qsizetype i = 0; i < hay.size();) {
        qsizetype end = i + (hay[i].isHighSurrogate() && i + 1 < hay.size() ? 2 : 1);
        while (end < hay.size() && hay[end].isMark())
            ++end;
        places.push_back({i, end - i});
        i = end;
    }
    std::vector<std::optional<QString>> bares(places.size());
    const auto bareAt = [&](size_t n) -> const QString& {
        if (!bares[n])
            bares[n] = withoutMarks(hay.mid(places[n].at, places[n].size));
        return *bares[n];
    };
    const size_t count = static_cast<size_t>(needle.size());
    for (size_t start = 0; start + count <= places.size(); ++start) {
        size_t k = 0;
        for (; k < count; ++k) {
            const Letter& typed = needle[static_cast<qsizetype>(k)];
            const Place& written = places[start + k];
            const QStringView self = QStringView(hay).mid(written.at, written.size);
            if (self == typed.self)
                continue;
            // A letter without marks is its own bare form.
            const bool plainWritten = written.size == 1 && hay[written.at].unicode() < 0x80;
            if (typed.self != typed.bare || plainWritten || bareAt(start + k) != typed.bare)
                break;
        }
        if (k == count)
            return true;
    }
    return false;
}
