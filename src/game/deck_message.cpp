// The field list of the "DK" message: the host's deck and, for a peer that announced a
// version, the ids and the three house rules of the deal.
#include <cctype>
#include <cstdlib>
#include <vector>

#include "game.h"
#include "house_rules.h"
#include "korbogl.h"
#include "number_list.h"
#include "records/text_number.h"

namespace korbo {

using records::NumText;

std::string Game::EncodeDeckList(bool withVersion) const {
    std::string out;
    out.reserve(withVersion ? 1400 : 500);
    auto add = [&](long n) {
        out += NumText(n);
        out += '#';
    };
    for (int i = 1; i <= 104; ++i) add(Deck[i].Value);
    if (withVersion) {
        for (int i = 1; i <= 104; ++i) add(Deck[i].Id);
        add(SideSize);
        add(ForcedRule);
        add(NoWildAce ? -1 : 0);
    }
    return out;
}

namespace {

// One list item: blanks, an optional minus sign, digits, blanks. Anything else is refused.
bool ParseItem(std::string_view item, long& value) {
    size_t i = 0;
    while (i < item.size() && item[i] == ' ') ++i;
    bool negative = i < item.size() && item[i] == '-';
    if (negative) ++i;
    size_t digits = 0;
    long v = 0;
    for (; i < item.size() && std::isdigit(static_cast<unsigned char>(item[i])); ++i, ++digits) {
        if (digits >= 9) return false;  // far beyond any field of the list
        v = v * 10 + (item[i] - '0');
    }
    while (i < item.size() && item[i] == ' ') ++i;
    if (digits == 0 || i != item.size()) return false;
    value = negative ? -v : v;
    return true;
}

}  // namespace

bool ReadNumberList(std::string_view list, std::size_t maxItems, std::vector<long>& items,
                    std::string& error) {
    items.clear();
    size_t start = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] != '#') continue;
        long v = 0;
        if (!ParseItem(list.substr(start, i - start), v)) {
            error = "item " + std::to_string(items.size() + 1) + " is not a number";
            return false;
        }
        items.push_back(v);
        if (items.size() > maxItems) {
            error = "the list is too long";
            return false;
        }
        start = i + 1;
    }
    for (size_t i = start; i < list.size(); ++i)
        if (list[i] != ' ' && list[i] != '\r') {
            error = "the list does not end with #";
            return false;
        }
    return true;
}

DeckListResult Game::DecodeDeckList(std::string_view list, std::string_view hostVersion) {
    std::vector<long> items;
    std::string error;
    if (!ReadNumberList(list, 211, items, error)) return {false, error};

    const bool versioned = hostVersion != "NG";
    const bool rules = versioned && records::Val(hostVersion) > 51;
    const size_t need = !versioned ? 104 : rules ? 211 : 208;
    if (items.size() < need) return {false, "the list is too short"};
    // A host that is not new enough for the rules may still append them; they are ignored.
    if (items.size() > need && !(versioned && !rules && items.size() == 211))
        return {false, "the list is too long"};

    std::array<bool, 105> used{};
    for (size_t i = 0; i < 104; ++i)
        if (items[i] < 1 || items[i] > 13) return {false, "a card value is out of range"};
    if (versioned) {
        for (size_t i = 104; i < 208; ++i) {
            if (items[i] < 1 || items[i] > 104) return {false, "a card id is out of range"};
            if (used[items[i]]) return {false, "a card id appears twice"};
            used[items[i]] = true;
        }
    }
    if (rules) {
        if (items[208] < 1 || items[208] > 25) return {false, "the pay-off pile size is out of range"};
        if (items[209] < -32768 || items[209] > 32767) return {false, "the forced-card rule is out of range"};
    }

    // Everything checked: now the table changes.
    for (int i = 1; i <= 104; ++i) {
        Deck[i].Value = static_cast<int16_t>(items[i - 1]);
        Deck[i].Id = versioned ? static_cast<int16_t>(items[103 + i]) : Deck[i].Value;
    }
    if (rules) {
        SideSize = static_cast<int16_t>(items[208]);
        ForcedRule = house_rules::ReadForcedMask(static_cast<int16_t>(items[209]));
        NoWildAce = items[210] != 0;
        OppStackImage = static_cast<int16_t>(25 - SideSize);
        PlayerStackImage = static_cast<int16_t>(50 - SideSize);
    }
    return {true, {}};
}

}  // namespace korbo
