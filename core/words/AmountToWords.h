#pragma once
// Slovak words for an amount of up to six digits, written as one word the way
// Slovak postal slips want it (21 000 is "dvadsaťjedentisíc"). Both functions
// work on code page 1250 short strings and keep no state.
#include "core/base/Cp1250.h"
#include "core/base/ShortString.h"

#include <string_view>

// Words for a text of 1 to 6 digits '0'-'9'. Leading zeros in front of the
// thousands give the words of the last three digits (0123 is "jednostodvadsaťtri",
// 000000 the empty text). Texts of other lengths or with other characters give
// the empty text.
ShortString AmountToWords(std::string_view digits);

// True when every character is '0'-'9'; the empty text passes.
bool IsAllDigits(std::string_view text);
