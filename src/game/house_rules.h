// The house rules as the rules dialog offers them and the menu bar's indicator sums them
// up: the pay-off pile sizes on offer and the texts of the summary.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korbo::house_rules {

// The pay-off pile sizes of the dialog's options 0..3, as SideSize (the size minus 1).
constexpr std::array<int16_t, 4> kSideSizes = {19, 25, 14, 9};
constexpr int16_t kStandardSideSize = 19;  // 20 cards
// The option showing `sideSize`, or -1 when none of the four does.
int SideOption(int16_t sideSize);

// The forced-card masks the dialog can produce: 0 and 1, 2, 3, 5, 6, 7.
constexpr int16_t kNoForced = 0;
constexpr int16_t kMaxMask = 7;
// A stored or received mask as the rules read it: visible cards alone force nothing and
// read as no forced card.
constexpr int16_t ReadForcedMask(int16_t mask) { return mask == 4 ? kNoForced : mask; }
// Whether a mask forces the Ace, and the Two: only the masks the dialog produces count.
constexpr bool ForcedAceOn(int mask) { return mask == 1 || mask == 3 || mask == 5 || mask == 7; }
constexpr bool ForcedTwoOn(int mask) { return mask == 2 || mask == 3 || mask == 6 || mask == 7; }

// The short forms of the summary are used on a narrow screen, and in the small display
// on a screen up to 12000 twips wide.
bool NarrowRules(int16_t displayMode, long screenWidthTwips);

// The forced and wild part of the summary (RulesText) for a mask and the wild rule.
// A mask that switches no forced card on (4 alone, or a value the dialog never produces)
// has an empty forced part, as the rules read it.
std::string RulesText(int16_t forcedRule, bool noWildAce, int16_t displayMode, long screenWidthTwips);

// The caption of the menu bar's rules indicator for a pile size and a RulesText.
std::string RulesIndicatorCaption(int16_t sideSize, const std::string& rulesText, int16_t displayMode,
                                  long screenWidthTwips);

}  // namespace korbo::house_rules
