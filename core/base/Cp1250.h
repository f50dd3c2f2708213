#pragma once
// Short strings: at most 255 characters of code page 1250, one byte each.
// Records and word tables keep the bytes; QString appears only at the widget edge.
#include <QString>
#include <string>
#include <string_view>

using Cp1250 = std::string; // bytes in code page 1250

constexpr std::size_t ShortStringMax = 255;

// Converts to code page 1250. A character the code page cannot hold makes
// `ok` false (when given) and comes out as 0x1A.
Cp1250 toCp1250(const QString& text, bool* ok = nullptr);
QString fromCp1250(std::string_view bytes);

// True when every character of `text` has a code in 1250.
bool fitsCp1250(const QString& text);

// Empty when the Qt at hand converts code page `codecName` both ways and
// correctly; otherwise what to tell the user before the program ends. Without
// the codec every stored text would silently come out empty.
QString Cp1250CodecProblem(const char* codecName = "windows-1250");

// The short-string cut: the first 255 characters.
inline Cp1250 cutToShort(Cp1250 s)
{
    if (s.size() > ShortStringMax)
        s.resize(ShortStringMax);
    return s;
}

// A 256-byte slot: length byte, then the characters. Bytes past the length are
// left as they are, because stored files keep whatever was there.
Cp1250 readSlot(const unsigned char* slot);
void writeSlot(unsigned char* slot, std::string_view value);
