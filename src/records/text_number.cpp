#include "text_number.h"

#include <climits>

namespace korbo::records {

std::string NumText(long n) {
    return n >= 0 ? " " + std::to_string(n) : std::to_string(n);
}

long Val(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int d = text[i] - '0';
        if (value > (LONG_MAX - d) / 10) overflow = true;
        else value = value * 10 + d;
    }
    if (overflow) return negative ? LONG_MIN : LONG_MAX;
    return negative ? -value : value;
}

}  // namespace korbo::records
