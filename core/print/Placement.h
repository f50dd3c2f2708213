#pragma once
// Millimetres on a pre-printed form to printer pixels, and the font sizes of a
// print job. The rounding is exact to the pixel and the point: extended
// precision (long double, 64-bit mantissa on x86-64) where the products need
// it, ties to even for Round, truncation toward zero for Trunc.
#include <cstdint>

// What the printer reports of its printable area.
struct PageMeasures {
    int PageWidth = 0;  // pixels
    int PageHeight = 0; // pixels
    int HorzSize = 0;   // millimetres
    int VertSize = 0;   // millimetres

    bool usable() const { return PageWidth > 0 && PageHeight > 0 && HorzSize > 0 && VertSize > 0; }
};

// Round: to the nearest integer, halves to the even neighbour.
int RoundHalfEven(long double v);

class SlipPlacement {
public:
    // R: the distance of the form's top edge from the printable area's left
    // edge, in millimetres (fractional for envelopes).
    SlipPlacement(const PageMeasures& page, long double referenceMm);

    int DeviceX(long double xMm) const;
    int DeviceY(long double yMm) const;
    double RefX() const { return refX_; }

private:
    PageMeasures page_;
    double refX_;
};

// The base print size: Trunc(fontSize / divisor x PageHeight / HorzSize), the
// quotient taken in extended precision before the product. Slips use 4.4,
// envelopes 5.
int BasePrintSize(const PageMeasures& page, std::int32_t fontSize, long double divisor);
inline constexpr long double SlipFontDivisor = 4.4L;

// A font factor step.
enum class FontStep { None, Reduce07, Back07, Reduce08, Back08, Reduce09 };
int ApplyFontStep(int size, FontStep step);
