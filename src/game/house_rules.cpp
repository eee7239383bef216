#include "house_rules.h"

#include "records/text_number.h"

namespace korbo::house_rules {

namespace {
constexpr long kNarrowScreen = 12000;       // twips: narrower than this is narrow
constexpr long kNarrowSmallDisplay = 12001; // twips: the small display is narrow below this
constexpr int16_t kSmallDisplay = 2;        // DisplayMode bit of the small display
}  // namespace

int SideOption(int16_t sideSize) {
    for (size_t i = 0; i < kSideSizes.size(); ++i)
        if (kSideSizes[i] == sideSize) return static_cast<int>(i);
    return -1;
}

bool NarrowRules(int16_t displayMode, long screenWidthTwips) {
    return (displayMode >= kSmallDisplay && screenWidthTwips < kNarrowSmallDisplay) || screenWidthTwips < kNarrowScreen;
}

std::string RulesText(int16_t forcedRule, bool noWildAce, int16_t displayMode, long screenWidthTwips) {
    const bool narrow = NarrowRules(displayMode, screenWidthTwips);
    std::string text;
    switch (forcedRule) {
        case 1: text = ", Ace"; break;
        case 2: text = ", Two"; break;
        case 3: text = narrow ? ", A,T" : ", Ace, Two"; break;
        case 5: text = ", Ace (V)"; break;
        case 6: text = ", Two (V)"; break;
        case 7: text = narrow ? ", A,T (V)" : ", Ace, Two (V)"; break;
        default: break;  // no forced card
    }
    if (noWildAce) text += screenWidthTwips >= kNarrowScreen ? " - No Wild Ace" : ", No Wild A";
    return text;
}

std::string RulesIndicatorCaption(int16_t sideSize, const std::string& rulesText, int16_t displayMode,
                                  long screenWidthTwips) {
    const std::string cards = records::NumText(static_cast<long>(sideSize) + 1);
    if (NarrowRules(displayMode, screenWidthTwips)) return "Rules:" + cards + rulesText;
    return std::string(10, ' ') + "Rules: " + cards + " cards" + rulesText;
}

}  // namespace korbo::house_rules
