// Slip C: four areas along the form; the words and the postcode boxes in area 1 only.
#include "core/forms/slips/SlipForms.h"

using namespace rows;

std::span<const LayoutRow> SlipCLayout()
{
    static constexpr LayoutRow layout[] = {
        // area 1
        amount("suma", 11, 35),
        hellers("hal", 11, 72),
        text("slovom1", 16, 15),
        text("slovom2", 22, 5),
        text("slovomh", 22, 55),
        text("ad1", 35, 13),
        text("ad2", 41, 13),
        character("adpsc", 1, 47, 1),
        character("adpsc", 2, 47, 4),
        character("adpsc", 3, 47, 7),
        character("adpsc", 4, 47, 13),
        character("adpsc", 5, 47, 16),
        text("ad3", 47, 24),
        text("od1", 59, 24),
        text("od2", 65, 24),
        character("odpsc", 1, 71, 1),
        character("odpsc", 2, 71, 4),
        character("odpsc", 3, 71, 7),
        character("odpsc", 4, 71, 13),
        character("odpsc", 5, 71, 16),
        text("od3", 71, 24),
        // area 2
        amount("suma", 11, 90),
        hellers("hal", 11, 127),
        text("ad1", 35, 85),
        text("ad2", 41, 85),
        text("adpsc", 47, 85, FontStep::None, 43),
        text("ad3", 47, 97),
        text("od1", 59, 85),
        text("od2", 65, 85),
        text("odpsc", 71, 85, FontStep::None, 43),
        text("od3", 71, 97),
        // area 3
        amount("suma", 11, 148),
        hellers("hal", 11, 175),
        text("ad1", 35, 142),
        text("ad2", 41, 142),
        text("adpsc", 47, 142, FontStep::None, 43),
        text("ad3", 47, 153),
        text("od1", 59, 142),
        text("od2", 65, 142),
        text("odpsc", 71, 142, FontStep::None, 43),
        text("od3", 71, 153),
        // area 4
        amount("suma", 11, 198),
        hellers("hal", 11, 227),
        text("ad1", 35, 192),
        text("ad2", 41, 192),
        text("adpsc", 47, 191, FontStep::None, 43),
        text("ad3", 47, 202),
        text("od1", 59, 192),
        text("od2", 65, 192),
        text("odpsc", 71, 191, FontStep::None, 43),
        text("od3", 71, 202),
    };
    return layout;
}

std::span<const AreaSpan> SlipCAreas()
{
    static constexpr AreaSpan areas[] = {{1, 72}, {85, 127}, {142, 175}, {191, 227}};
    return areas;
}
