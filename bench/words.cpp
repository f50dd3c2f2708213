// Converts every amount 0..999999 to words, and formats the same numbers with
// ICU's Slovak spellout as the reference a developer would otherwise use.
#include "words/AmountToWords.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>
#include <vector>

using Clock = std::chrono::steady_clock;

int main()
{
    constexpr int count = 1000000;
    std::vector<std::string> inputs;
    inputs.reserve(count);
    for (int n = 0; n < count; ++n)
        inputs.push_back(std::to_string(n));
    AmountToWords("1"); // tables are built once, outside the timing

    double best = 1e30;
    std::size_t checksum = 0;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        for (const std::string& digits : inputs)
            checksum += AmountToWords(digits).size();
        best = std::min(best, std::chrono::duration<double, std::nano>(Clock::now() - start).count() / count);
    }

    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat icuFormat(icu::URBNF_SPELLOUT, icu::Locale("sk"), status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "ICU spellout for sk not available: %s\n", u_errorName(status));
        return 1;
    }
    icu::UnicodeString out;
    const auto start = Clock::now();
    for (int n = 0; n < count; ++n) {
        out.remove();
        icuFormat.format(static_cast<int32_t>(n), out);
        checksum += static_cast<std::size_t>(out.length());
    }
    const double icuNs = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / count;

    std::printf("AmountToWords: %.1f ns per amount (best of 5 runs over %d amounts)\n", best, count);
    std::printf("ICU sk spellout: %.1f ns per amount\n", icuNs);
    std::printf("ratio ICU / AmountToWords: %.1fx   (checksum %zu)\n", icuNs / best, checksum);
    return 0;
}
