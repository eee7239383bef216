// The number rule of text fields, shared by the data files and the network messages.
#pragma once

#include <string>
#include <string_view>

namespace korbo::records {

// A number as the game writes it into texts: one leading blank for 0 and positive
// values, a minus sign for negative ones ("Str" form).
std::string NumText(long n);

// The numeric value of a text: leading blanks skipped, an optional sign, then digits;
// reading stops at the first other character; no digits give 0. Values beyond the range
// of a long are clamped.
long Val(std::string_view text);

}  // namespace korbo::records
