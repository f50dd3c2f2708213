#include "words/AmountToWords.h"

#include <array>

namespace {

using Table = std::array<Cp1250, 10>;

Table table(std::array<const char16_t*, 10> words)
{
    Table out;
    for (std::size_t i = 0; i < 10; ++i)
        out[i] = toCp1250(QString::fromUtf16(words[i]));
    return out;
}

// The Slovak word tables, in code page 1250.
struct WordTables {
    Table unit = table({u"", u"jeden", u"dva", u"tri", u"štyri", u"päť", u"šesť", u"sedem", u"osem", u"deväť"});
    Table teen = table({u"desať", u"jedenásť", u"dvanásť", u"trinásť", u"štrnásť", u"pätnásť", u"šestnásť",
                        u"sedemnásť", u"osemnásť", u"devätnásť"});
    Table tens = table({u"", u"", u"dvadsať", u"tridsať", u"štyridsať", u"päťdesiat", u"šesťdesiat",
                        u"sedemdesiat", u"osemdesiat", u"deväťdesiat"});
    Table hundred = table({u"", u"sto", u"dvesto", u"tristo", u"štyristo", u"päťsto", u"šesťsto", u"sedemsto",
                           u"osemsto", u"deväťsto"});
    // The thousands digit of a four-digit amount: "dve", not "dva". Entry 0 is
    // never read: a thousands group of zeros is dropped before it is looked up.
    Table thousandUnit = table({u"", u"jeden", u"dve", u"tri", u"štyri", u"päť", u"šesť", u"sedem", u"osem",
                                u"deväť"});
    Cp1250 leadingHundred = "jednosto";
    Cp1250 thousand = toCp1250(QStringLiteral("tisíc"));

    Cp1250 tensAndUnits(int tens, int units) const
    {
        if (tens == 1)
            return teen[units];
        return (tens >= 2 ? this->tens[tens] : Cp1250()) + unit[units];
    }
};

// Every group of three digits spelled out once, in fixed slots, so a
// conversion is two short copies.
constexpr std::size_t Slot = 32; // the longest group, "deväťstodeväťdesiatdeväťtisíc", is 29

struct GroupTable {
    std::array<std::array<char, Slot>, 1000> text{};
    std::array<unsigned char, 1000> length{};
    void set(int i, const Cp1250& s)
    {
        std::copy(s.begin(), s.end(), text[i].begin());
        length[i] = static_cast<unsigned char>(s.size());
    }
    void appendTo(ShortString& out, int i) const { out.appendFixed<Slot>(text[i].data(), length[i]); }
};

struct Groups {
    GroupTable leading;   // a whole amount of one to three digits ("jednosto" for 1xx)
    GroupTable inner;     // the last three digits behind a thousands group ("sto" for 1xx)
    GroupTable thousands; // the thousands group of a five- or six-digit amount, with "tisíc"
    GroupTable thousand4; // the thousands digit of a four-digit amount, with "tisíc"

    Groups()
    {
        const WordTables w;
        for (int i = 0; i < 1000; ++i) {
            const int h = i / 100, t = i / 10 % 10, u = i % 10;
            const Cp1250 below = w.tensAndUnits(t, u);
            leading.set(i, (h == 1 ? w.leadingHundred : w.hundred[h]) + below);
            inner.set(i, w.hundred[h] + below);
            thousands.set(i, (h == 1 ? w.leadingHundred : w.hundred[h]) + below + w.thousand);
            if (i < 10)
                thousand4.set(i, w.thousandUnit[i] + w.thousand);
        }
    }
};

const Groups& groups()
{
    static const Groups g;
    return g;
}

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
    // One result object on every path, so it is built in place and never copied.
    ShortString out;
    const std::size_t n = digits.size();
    if (n == 0 || n > 6)
        return out;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return out;
        value = value * 10 + (c - '0');
    }
    const Groups& g = groups();
    if (n == 1 && value == 0) {
        out.append("-nula-");
        return out;
    }
    const int top = value / 1000, last = value % 1000;
    if (n > 3 && top != 0)
        (n == 4 ? g.thousand4 : g.thousands).appendTo(out, top);
    // Zeros in every thousands place read as a three-digit amount.
    (n > 3 && top != 0 ? g.inner : g.leading).appendTo(out, last);
    return out;
}
