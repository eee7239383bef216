// The "#"-separated number lists of the deal and reshuffle messages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korbo {

// Reads every item of a list whose items each end with "#" (blanks, an optional minus
// sign, digits, blanks). Fails with the reason when an item is not a number, when more
// than `maxItems` items come, or when anything but blanks follows the last "#".
bool ReadNumberList(std::string_view list, std::size_t maxItems, std::vector<long>& items,
                    std::string& error);

}  // namespace korbo
