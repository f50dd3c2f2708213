#include "core/words/AmountToWords.h"

#include <array>
#include <cstring>

namespace {

// A word right-aligned in a fixed slot, so putting it in front of a text is a
// copy of fixed size, a single move, rather than a call to memcpy.
constexpr std::size_t Slot = 16; // the longest word, "deväťdesiat", is 11

struct Word {
    std::array<char, Slot> slot{};
    std::size_t size = 0;
};

using Table = std::array<Word, 10>;

Word cp1250(const QString& text)
{
    const Cp1250 bytes = toCp1250(text);
    Word w;
    w.size = bytes.size();
    std::copy(bytes.begin(), bytes.end(), w.slot.end() - w.size);
    return w;
}

Table cp1250(std::array<const char16_t*, 10> words)
{
    Table out;
    for (std::size_t i = 0; i < 10; ++i)
        out[i] = cp1250(QString::fromUtf16(words[i]));
    return out;
}

// Each table is indexed by one digit.
struct Words {
    Table unit = cp1250({u"", u"jeden", u"dva", u"tri", u"štyri", u"päť", u"šesť", u"sedem", u"osem", u"deväť"});
    Table teen = cp1250({u"desať", u"jedenásť", u"dvanásť", u"trinásť", u"štrnásť", u"pätnásť", u"šestnásť",
                         u"sedemnásť", u"osemnásť", u"devätnásť"}); // entry d is 10 + d
    Table tens = cp1250({u"", u"", u"dvadsať", u"tridsať", u"štyridsať", u"päťdesiat", u"šesťdesiat",
                         u"sedemdesiat", u"osemdesiat", u"deväťdesiat"});
    Table hundred = cp1250({u"", u"sto", u"dvesto", u"tristo", u"štyristo", u"päťsto", u"šesťsto", u"sedemsto",
                            u"osemsto", u"deväťsto"});
    // A lone thousands digit says "dve", not "dva". Entry 0 is never read:
    // an amount with zeros in every thousands place is read without them.
    Table thousandUnit = cp1250({u"", u"jeden", u"dve", u"tri", u"štyri", u"päť", u"šesť", u"sedem", u"osem",
                                 u"deväť"});
    Word zero = cp1250(QStringLiteral("-nula-"));
    Word oneHundred = cp1250(QStringLiteral("jednosto")); // only leading; behind a thousand it is "sto"
    Word thousand = cp1250(QStringLiteral("tisíc"));
};

const Words& words()
{
    static const Words w;
    return w;
}

// The words are found from the units leftwards, so the text grows at its front.
class Backwards {
public:
    // Puts `a` followed by `b` in front of the text.
    void prepend(const Word& a, const Word& b = {})
    {
        put(b);
        put(a);
    }
    void replace(const Word& w)
    {
        start_ = End;
        put(w);
    }
    // A fixed-size copy as well: it reads past the end of the text into the
    // spare room behind it and keeps only the text.
    ShortString result() const
    {
        ShortString out;
        out.appendFixed<Room>(text_ + start_, End - start_);
        return out;
    }

private:
    // Copies the whole slot; the padding lands in front of the text, where the
    // next word overwrites it.
    void put(const Word& w)
    {
        std::memcpy(text_ + start_ - Slot, w.slot.data(), Slot);
        start_ -= w.size;
    }
    static constexpr std::size_t Room = 64; // the longest result has 53 characters
    static constexpr std::size_t End = Slot + Room;
    char text_[End + Room]{};
    std::size_t start_ = End;
};

} // namespace

bool IsAllDigits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

ShortString AmountToWords(std::string_view digits)
{
    const std::size_t n = digits.size();
    if (n == 0 || n > 6 || !IsAllDigits(digits))
        return {};
    // Zeros in every thousands place: the last three digits read as a whole amount.
    if (n > 3 && digits.find_first_not_of('0') >= n - 3)
        return AmountToWords(digits.substr(n - 3));

    const Words& w = words();
    const auto d = [&](std::size_t k) { return static_cast<std::size_t>(digits[n - k] - '0'); };
    Backwards r;

    r.prepend(digits == "0" ? w.zero : w.unit[d(1)]);
    if (n == 1)
        return r.result();

    if (d(2) == 1)
        r.replace(w.teen[d(1)]);
    else if (d(2) >= 2)
        r.prepend(w.tens[d(2)]);
    if (n == 2)
        return r.result();

    r.prepend(n == 3 && d(3) == 1 ? w.oneHundred : w.hundred[d(3)]);
    if (n == 3)
        return r.result();

    if (n == 4) {
        r.prepend(w.thousandUnit[d(4)], w.thousand);
    } else if (d(5) == 1) {
        r.prepend(w.teen[d(4)], w.thousand);
    } else {
        r.prepend(w.unit[d(4)], w.thousand);
        if (d(5) >= 2)
            r.prepend(w.tens[d(5)]);
    }
    if (n < 6)
        return r.result();

    r.prepend(d(6) == 1 ? w.oneHundred : w.hundred[d(6)]);
    return r.result();
}
