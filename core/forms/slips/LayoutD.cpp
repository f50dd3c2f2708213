// Slip D: four areas along the form; areas 2 to 4 are drawn at 0.9, the account
// rows there at a further 0.8, and the sender line is split at its comma.
#include "core/forms/slips/SlipForms.h"

using namespace rows;

std::span<const LayoutRow> SlipDLayout()
{
    static constexpr LayoutRow layout[] = {
        // area 1
        amount("suma", 11, 40),
        hellers("hal", 11, 70),
        text("slovom1", 16, 15),
        text("slovom2", 22, 5),
        text("slovomh", 22, 55),
        text("ad1", 41, 24),
        text("ad2", 47, 24),
        character("adpsc", 1, 53, 3),
        character("adpsc", 2, 53, 6),
        character("adpsc", 3, 53, 9),
        character("adpsc", 4, 53, 15),
        character("adpsc", 5, 53, 18),
        text("ad3", 53, 24),
        text("banka", 61, 2),
        text("ucet", 61, 50),
        text("od2", 67, 19),
        character("odpsc", 1, 73, 3),
        character("odpsc", 2, 73, 6),
        character("odpsc", 3, 73, 9),
        character("odpsc", 4, 73, 15),
        character("odpsc", 5, 73, 18),
        text("od3", 73, 24),
        // area 2
        amount("suma", 19, 88, FontStep::Reduce09),
        hellers("hal", 19, 129),
        text("ad1", 41, 95),
        text("ad2", 47, 84),
        joinSpace("adpsc", "ad3", 53, 84),
        text("skr", 59, 92),
        text("ucet", 59, 116, FontStep::Reduce08),
        namePart("od2", 63, 98, FontStep::Back08),
        streetPart("od2", 68, 84),
        joinSpace("odpsc", "od3", 73, 84),
        // area 3
        amount("suma", 19, 145),
        hellers("hal", 19, 179),
        text("ad1", 41, 152),
        text("ad2", 47, 141),
        joinSpace("adpsc", "ad3", 53, 141),
        text("skr", 59, 148),
        text("ucet", 59, 165, FontStep::Reduce08),
        namePart("od2", 63, 155, FontStep::Back08),
        streetPart("od2", 68, 141),
        joinSpace("odpsc", "od3", 73, 141),
        // area 4
        amount("suma", 19, 194),
        hellers("hal", 19, 226),
        text("ad1", 41, 201),
        text("ad2", 47, 190),
        joinSpace("adpsc", "ad3", 53, 190),
        text("skr", 59, 197),
        text("ucet", 59, 212, FontStep::Reduce08, 40),
        namePart("od2", 63, 202, FontStep::Back08),
        streetPart("od2", 68, 190),
        joinSpace("odpsc", "od3", 73, 190),
    };
    return layout;
}

std::span<const AreaSpan> SlipDAreas()
{
    static constexpr AreaSpan areas[] = {{2, 70}, {84, 129}, {141, 179}, {190, 226}};
    return areas;
}
