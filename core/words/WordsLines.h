#pragma once
// What the words lines of a slip show for an amount text, apart from any widget.
#include "core/base/Cp1250.h"

#include <optional>

// Characters of words that fit on the first words line.
constexpr std::size_t WordsLineLength = 30;

// What an empty amount field shows in words.
inline const Cp1250 EmptyAmountWords = "- nula -";

struct CrownsLines {
    Cp1250 slovom1;
    Cp1250 slovom2;
};

// The two lines for the crowns text: framed by hyphens, cut after the 30th
// character of the words; "- nula -" for the empty text. Nothing when the text
// is not all digits.
std::optional<CrownsLines> CrownsInWords(const Cp1250& suma);

// The hellers line for the tens-of-hellers digit; "- nula -" for the empty text.
std::optional<Cp1250> HellersInWords(const Cp1250& hal);
