#include "core/words/WordsLines.h"

#include "core/words/AmountToWords.h"

std::optional<CrownsLines> CrownsInWords(const Cp1250& suma)
{
    if (!IsAllDigits(suma))
        return std::nullopt;
    if (suma.empty())
        return CrownsLines{EmptyAmountWords, {}};
    const Cp1250 w = AmountToWords(suma).str();
    if (w.size() <= WordsLineLength)
        return CrownsLines{"-" + w + "-", {}};
    // The cut falls after the 30th character, mid-word if need be.
    return CrownsLines{"-" + w.substr(0, WordsLineLength), w.substr(WordsLineLength) + "-"};
}

std::optional<Cp1250> HellersInWords(const Cp1250& hal)
{
    if (!IsAllDigits(hal))
        return std::nullopt;
    if (hal.empty())
        return EmptyAmountWords;
    return "-" + AmountToWords(hal + "0").str() + "-";
}
