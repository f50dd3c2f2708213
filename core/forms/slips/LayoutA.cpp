// Slip A: four areas along the form. The words, the post office code and the
// digit boxes are in area 1 only; the variable symbol in areas 2 and 3.
#include "core/forms/slips/SlipForms.h"

using namespace rows;

std::span<const LayoutRow> SlipALayout()
{
    static constexpr LayoutRow layout[] = {
        // area 1
        amount("suma", 8, 39),
        hellers("hal", 8, 69),
        text("slovom1", 16, 14),
        text("slovom2", 21, 5),
        text("slovomh", 21, 65, FontStep::Reduce07),
        text("banka", 27, 22, FontStep::Back07),
        text("cu1", 31, 40),
        text("cu2", 31, 63),
        text("ksymbol", 42, 3),
        memoLines("nazov_uctu", 40, 29),
        character("vakup", 1, 50, 4),
        character("vakup", 2, 50, 7),
        character("vakup", 3, 50, 10),
        character("vakup", 4, 50, 15),
        character("vakup", 5, 50, 18),
        text("vakup2", 50, 25),
        text("od1", 57, 25),
        text("od2", 63, 25),
        character("odpsc", 1, 69, 4),
        character("odpsc", 2, 69, 7),
        character("odpsc", 3, 69, 10),
        character("odpsc", 4, 69, 15),
        character("odpsc", 5, 69, 18),
        text("od3", 69, 25),
        // area 2
        amount("suma", 8, 90),
        hellers("hal", 8, 129),
        memoLines("nazov_uctu", 15, 83),
        text("banka", 30, 97),
        text("cu1", 34, 100),
        text("cu2", 34, 121),
        text("vsymbol", 41, 97),
        text("ksymbol", 49, 123),
        text("od1", 57, 85),
        text("od2", 63, 85),
        joinSpace("odpsc", "od3", 69, 85),
        // area 3
        amount("suma", 8, 145),
        hellers("hal", 8, 180),
        memoLines("nazov_uctu", 15, 140),
        text("banka", 30, 150),
        text("cu1", 34, 154),
        text("cu2", 34, 177),
        text("vsymbol", 41, 154),
        text("ksymbol", 49, 175),
        text("od1", 57, 142),
        text("od2", 63, 142),
        joinSpace("odpsc", "od3", 69, 142),
        // area 4, drawn at 0.9 to the end of the job
        amount("suma", 8, 195, FontStep::Reduce09),
        hellers("hal", 8, 229),
        memoLines("nazov_uctu", 15, 190),
        text("banka", 30, 195),
        joinSlash("cu1", "cu2", 34, 203),
        text("od1", 57, 205),
        text("od2", 63, 192),
        joinSpace("odpsc", "od3", 69, 192),
    };
    return layout;
}

std::span<const AreaSpan> SlipAAreas()
{
    static constexpr AreaSpan areas[] = {{3, 69}, {83, 129}, {140, 180}, {190, 229}};
    return areas;
}
