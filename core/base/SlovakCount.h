#pragma once
// A count with its noun in the Slovak plural form the number takes:
// "1 znak", "2 znaky", "5 znakov"; 0 takes the form of 5.
#include <QString>

inline QString CountOf(long long n, const char* one, const char* twoToFour, const char* many)
{
    const char* noun = n == 1 ? one : (n >= 2 && n <= 4 ? twoToFour : many);
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(noun);
}

inline QString CharactersText(long long n) { return CountOf(n, "znak", "znaky", "znakov"); }
inline QString LinesText(long long n) { return CountOf(n, "riadok", "riadky", "riadkov"); }
inline QString PagesText(long long n) { return CountOf(n, "strana", "strany", "strán"); }

// A millimetre figure with one decimal and the decimal comma: "5,0".
inline QString MillimetresText(double mm) { return QString::number(mm, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')); }
