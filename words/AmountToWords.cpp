#include "words/AmountToWords.h"

#include <array>
#include <cstring>

namespace {

using Table = std::array<Cp1250, 10>;

Table table(std::array<const char16_t*, 10> words)
{
    Table out;
    for (std::size_t i = 0; i < 10; ++i)
        out[i] = toCp1250(QString::fromUtf16(words[i]));
    return out;
}

// The word tables in code page 1250, converted once.
struct Words {
    Table unit = table({u"", u"jeden", u"dva", u"tri", u"štyri", u"päť", u"šesť", u"sedem", u"osem", u"deväť"});
    Table teen = table({u"desať", u"jedenásť", u"dvanásť", u"trinásť", u"štrnásť", u"pätnásť", u"šestnásť",
                        u"sedemnásť", u"osemnásť", u"devätnásť"});
    Table tens = table({u"", u"", u"dvadsať", u"tridsať", u"štyridsať", u"päťdesiat", u"šesťdesiat",
                        u"sedemdesiat", u"osemdesiat", u"deväťdesiat"});
    Table hundred = table({u"", u"sto", u"dvesto", u"tristo", u"štyristo", u"päťsto", u"šesťsto", u"sedemsto",
                           u"osemsto", u"deväťsto"});
    // The thousands digit of a four-digit amount: "dve", not "dva". Entry 0 is
    // never read: a thousands group of zeros is dropped before we get here.
    Table thousandUnit = table({u"", u"jeden", u"dve", u"tri", u"štyri", u"päť", u"šesť", u"sedem", u"osem",
                                u"deväť"});
    Cp1250 zero = "-nula-";
    Cp1250 leadingHundred = "jednosto";
    Cp1250 thousand = toCp1250(QStringLiteral("tisíc"));
};

const Words& words()
{
    static const Words w;
    return w;
}

// Appends pieces left to right into a fixed buffer; the longest result is 53.
struct Builder {
    char buf[96];
    std::size_t len = 0;
    void add(const Cp1250& s)
    {
        std::memcpy(buf + len, s.data(), s.size());
        len += s.size();
    }
};

void tensAndUnits(Builder& b, const Words& w, int tens, int units)
{
    if (tens == 1) {
        b.add(w.teen[units]);
        return;
    }
    if (tens >= 2)
        b.add(w.tens[tens]);
    b.add(w.unit[units]);
}

} // namespace

bool IsAllDigits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

Cp1250 AmountToWords(std::string_view digits)
{
    std::size_t n = digits.size();
    if (n == 0 || n > 6 || !IsAllDigits(digits))
        return {};
    // Zeros in every thousands place: read the rest as a three-digit amount.
    if (n > 3 && digits.substr(0, n - 3).find_first_not_of('0') == std::string_view::npos) {
        digits = digits.substr(n - 3);
        n = 3;
    }
    const Words& w = words();
    auto d = [&](std::size_t k) { return digits[n - k] - '0'; }; // k-th digit from the right

    if (n == 1)
        return digits[0] == '0' ? w.zero : w.unit[d(1)];

    Builder b;
    if (n == 6)
        b.add(d(6) == 1 ? w.leadingHundred : w.hundred[d(6)]);
    if (n == 4) {
        b.add(w.thousandUnit[d(4)]);
        b.add(w.thousand);
    } else if (n >= 5) {
        tensAndUnits(b, w, d(5), d(4));
        b.add(w.thousand);
    }
    if (n >= 3)
        b.add(n == 3 && d(3) == 1 ? w.leadingHundred : w.hundred[d(3)]);
    tensAndUnits(b, w, d(2), d(1));
    return Cp1250(b.buf, b.len);
}
