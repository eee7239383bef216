// The number rule of text fields: the "Str" form and the numeric value.
#include <gtest/gtest.h>

#include <climits>

#include "records/text_number.h"

using namespace korbo;

TEST(NumberTexts, LeadingBlankAndNumericValue) {
    EXPECT_EQ(records::NumText(0), " 0");
    EXPECT_EQ(records::NumText(54), " 54");
    EXPECT_EQ(records::NumText(-1), "-1");
    struct Case { const char* text; long value; } cases[] = {
        {" 12#", 12}, {"  -7", -7}, {"abc", 0}, {"", 0}, {"3x4", 3}, {"+5", 5},
        {"99999999999999999999999", LONG_MAX}, {"-99999999999999999999999", LONG_MIN}};
    for (auto c : cases) EXPECT_EQ(records::Val(c.text), c.value) << c.text;
}
