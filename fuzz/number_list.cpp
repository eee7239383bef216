// The "#"-separated number lists of the deal and the reshuffle, as a peer sends them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/number_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<long> items;
    std::string error;
    // The longest list the game reads is the deal's 211 items; try a cap below it as well.
    for (std::size_t cap : {std::size_t{4}, std::size_t{211}}) {
        const bool ok = korbo::ReadNumberList(text, cap, items, error);
        if (ok && items.size() > cap) __builtin_trap();
        if (!ok && error.empty()) __builtin_trap();
    }
    return 0;
}
