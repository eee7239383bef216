#include "players_dialog.h"

#include <cctype>

#include "player_selection.h"
#include "records/text_number.h"

namespace korbo {

namespace {
std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}
}  // namespace

bool NetNameRefused(std::string_view name) {
    std::string upper(TrimBlanks(name));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper == "KORBO";
}

bool NetNameUnfitForFile(std::string_view typed, std::string_view current) {
    const std::string_view name = TrimBlanks(typed);
    if (name.empty() || name == TrimBlanks(current)) return false;
    return name.find_first_of(players::kForbiddenCharacters) != std::string_view::npos;
}

AddressCheck CheckHostAddress(std::string_view address) {
    constexpr size_t kLongest = 15;  // "xxx.xxx.xxx.xxx"
    const std::string_view a = TrimBlanks(address);
    if (a.empty() || a.size() > kLongest) return AddressCheck::BadLength;
    size_t from = 1;  // the search starts at the second character
    for (int dot = 0; dot < 3; ++dot) {
        const size_t p = a.find('.', from);
        if (p == std::string_view::npos) return AddressCheck::BadFormat;
        from = p + 1;
    }
    return AddressCheck::Ok;
}

int PortOf(std::string_view text) {
    constexpr long kHighestPort = 65535;
    const long p = records::Val(text);
    return p >= 1 && p <= kHighestPort ? static_cast<int>(p) : 0;
}

}  // namespace korbo
