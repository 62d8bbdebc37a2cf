#include "settings/ConfigDialogRules.h"

#include <gtest/gtest.h>

namespace orvalen {
namespace {

TEST(ConfigDialogRules, NumbersReadTheLeadingInteger) {
    struct Case {
        const char* text;
        int32_t ignored;
        int32_t delay;
    };
    const Case cases[] = {
        {"", 0, 0},
        {"7", 7, 7},
        {"x", 0, 0},
        {"-", 0, 0},
        {"12a", 12, 12},
        {"a12", 0, 0},
        {"  -350", -350, -350},
        {"+8", 8, 8},
        {"2000", 2000, 2000},
        {"2001", 2001, 2000},
        {"2500", 2500, 2000},
        {"-999", -999, -999},
        {"99999999999", 2147483647, 2000},
        {"-99999999999", -2147483647 - 1, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IgnoredCharsFromText(c.text), c.ignored) << c.text;
        EXPECT_EQ(DelayFromText(c.text), c.delay) << c.text;
    }
}

}  // namespace
}  // namespace orvalen
