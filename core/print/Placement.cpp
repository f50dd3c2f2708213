#include "core/print/Placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

// The placement and font rules are exact only with an extended 64-bit mantissa.
static_assert(std::numeric_limits<long double>::digits == 64,
              "the print rules need long double with a 64-bit mantissa (x86 extended precision)");

// A value from a damaged settings file may not fit an int; saturate rather
// than overflow.
static int saturate(long double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp<long double>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int RoundHalfEven(long double v)
{
    // The default rounding mode is to nearest, ties to even.
    return saturate(std::nearbyintl(v));
}

SlipPlacement::SlipPlacement(const PageMeasures& page, long double referenceMm) : page_(page)
{
    const double q = static_cast<double>(referenceMm / page.HorzSize);
    refX_ = static_cast<double>(static_cast<long double>(page.PageWidth) * q);
}

int SlipPlacement::DeviceX(long double xMm) const
{
    // The two terms are rounded separately, then subtracted.
    const double qx = static_cast<double>(xMm / page_.HorzSize);
    // Each term may be saturated (an envelope of any size); their difference
    // is taken wide so it cannot overflow either.
    const long double difference = static_cast<long double>(RoundHalfEven(refX_))
                                   - RoundHalfEven(static_cast<long double>(page_.PageWidth) * qx);
    return saturate(difference);
}

int SlipPlacement::DeviceY(long double yMm) const
{
    const double qy = static_cast<double>(yMm / page_.VertSize);
    return RoundHalfEven(static_cast<long double>(page_.PageHeight) * qy);
}

int BasePrintSize(const PageMeasures& page, std::int32_t fontSize, long double divisor)
{
    // Page height in pixels over the page WIDTH in millimetres: the divisors
    // are matched to this ratio.
    const double ratio = static_cast<double>(page.PageHeight) / page.HorzSize;
    const long double quotient = static_cast<long double>(fontSize) / divisor;
    return saturate(std::truncl(quotient * ratio));
}

int ApplyFontStep(int size, FontStep step)
{
    const long double s = size;
    switch (step) {
    case FontStep::None:
        return size;
    case FontStep::Reduce07:
        return RoundHalfEven(s * 0.7L);
    case FontStep::Back07:
        return RoundHalfEven(s / 0.7L);
    case FontStep::Reduce08:
        return RoundHalfEven(s * 0.8L);
    case FontStep::Back08:
        return RoundHalfEven(s / 0.8L);
    case FontStep::Reduce09:
        return RoundHalfEven(s * 0.9L);
    }
    return size;
}
