// Converts every amount 0..999999 to words, and formats the same numbers with
// ICU's Slovak spellout as the reference a developer would otherwise use.
// Both are timed as the best of five runs, so a busy machine hurts them alike.
#include "core/words/AmountToWords.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>
#include <vector>

using Clock = std::chrono::steady_clock;

constexpr int count = 1000000;
constexpr int rounds = 5;
constexpr double target = 10.0; // AmountToWords should beat ICU at least this many times

// Nanoseconds per amount for the fastest of `rounds` runs of `run`.
template <typename Run>
double bestOf(Run run)
{
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::nano>(Clock::now() - start).count() / count);
    }
    return best;
}

int main()
{
    std::vector<std::string> inputs;
    inputs.reserve(count);
    for (int n = 0; n < count; ++n)
        inputs.push_back(std::to_string(n));
    AmountToWords("1"); // tables are built once, outside the timing

    std::size_t checksum = 0;
    const double oursNs = bestOf([&] {
        for (const std::string& digits : inputs)
            checksum += AmountToWords(digits).size();
    });

    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat icuFormat(icu::URBNF_SPELLOUT, icu::Locale("sk"), status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "ICU spellout for sk not available: %s\n", u_errorName(status));
        return 1;
    }
    icu::UnicodeString out;
    const double icuNs = bestOf([&] {
        for (int n = 0; n < count; ++n) {
            out.remove();
            icuFormat.format(static_cast<int32_t>(n), out);
            checksum += static_cast<std::size_t>(out.length());
        }
    });

    const double ratio = icuNs / oursNs;
    std::printf("AmountToWords: %.1f ns per amount (best of %d runs over %d amounts)\n", oursNs, rounds, count);
    std::printf("ICU sk spellout: %.1f ns per amount (best of %d runs)\n", icuNs, rounds);
    std::printf("ratio ICU / AmountToWords: %.1fx, target %.0fx %s   (checksum %zu)\n", ratio, target,
                ratio >= target ? "met" : "NOT MET", checksum);
    return 0;
}
