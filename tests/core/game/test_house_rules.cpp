// The rules summary of the menu bar: the forced and wild texts in their wide and narrow
// forms, where the short forms begin, and the indicator's caption.
#include <gtest/gtest.h>

#include "game/house_rules.h"

namespace korbo::test {
namespace {

using namespace house_rules;

constexpr long kWide = 15360, kNarrow = 11000;

TEST(HouseRules, ForcedTextsInBothWidths) {
    struct Case {
        int16_t mask;
        const char* wide;
        const char* narrow;
    };
    const Case cases[] = {
        {0, "", ""},
        {1, ", Ace", ", Ace"},
        {2, ", Two", ", Two"},
        {3, ", Ace, Two", ", A,T"},
        {5, ", Ace (V)", ", Ace (V)"},
        {6, ", Two (V)", ", Two (V)"},
        {7, ", Ace, Two (V)", ", A,T (V)"},
        // Visible cards alone, and masks the dialog never makes, force no card.
        {4, "", ""},
        {8, "", ""},
        {-1, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RulesText(c.mask, false, 0, kWide), c.wide) << c.mask;
        EXPECT_EQ(RulesText(c.mask, false, 0, kNarrow), c.narrow) << c.mask;
    }
}

TEST(HouseRules, WildRuleFollowsTheForcedText) {
    EXPECT_EQ(RulesText(3, true, 0, kWide), ", Ace, Two - No Wild Ace");
    EXPECT_EQ(RulesText(3, true, 0, kNarrow), ", A,T, No Wild A");
    EXPECT_EQ(RulesText(0, true, 0, kWide), " - No Wild Ace");
    // A repeated summary never grows: the text is the same however often it is made.
    EXPECT_EQ(RulesText(4, true, 0, kWide), " - No Wild Ace");
}

TEST(HouseRules, WhereTheShortFormsBegin) {
    struct Case {
        int16_t displayMode;
        long width;
        bool narrow;
    };
    const Case cases[] = {
        {0, 11999, true},  {0, 12000, false}, {1, 12000, false}, {2, 12000, true},
        {3, 12000, true},  {2, 12001, false}, {2, 11999, true},  {0, 15360, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NarrowRules(c.displayMode, c.width), c.narrow) << c.displayMode << " " << c.width;
    // The small display on a screen exactly 12000 twips wide uses the short forced texts
    // but the long wild text, which looks only at the screen.
    EXPECT_EQ(RulesText(7, true, 2, 12000), ", A,T (V) - No Wild Ace");
}

TEST(HouseRules, IndicatorCaption) {
    EXPECT_EQ(RulesIndicatorCaption(19, "", 0, kWide), "          Rules:  20 cards");
    EXPECT_EQ(RulesIndicatorCaption(9, ", Ace", 0, kWide), "          Rules:  10 cards, Ace");
    EXPECT_EQ(RulesIndicatorCaption(25, ", A,T, No Wild A", 0, kNarrow), "Rules: 26, A,T, No Wild A");
    EXPECT_EQ(RulesIndicatorCaption(14, "", 2, 12000), "Rules: 15");
}

TEST(HouseRules, SideOptions) {
    const int16_t sizes[] = {19, 25, 14, 9};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(SideOption(sizes[i]), i);
    EXPECT_EQ(SideOption(20), -1);
    EXPECT_EQ(SideOption(0), -1);
}

}  // namespace
}  // namespace korbo::test
