#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "media/MpvCore.h"

namespace orvalen::mpv {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(SecondsToMsTest, RoundsToTheNearestMillisecondWithinRange) {
    EXPECT_EQ(SecondsToMs(0.0), 0);
    EXPECT_EQ(SecondsToMs(1.0), 1000);
    // mpv's time-pos after an exact seek to 4.96 s.
    EXPECT_EQ(SecondsToMs(4.9599999999), 4960);
    EXPECT_EQ(SecondsToMs(1.0004), 1000);
    EXPECT_EQ(SecondsToMs(1.0006), 1001);
    EXPECT_EQ(SecondsToMs(-0.02), 0);
    EXPECT_EQ(SecondsToMs(3.0e6), kMax);
    EXPECT_EQ(SecondsToMs(INFINITY), kMax);
    EXPECT_EQ(SecondsToMs(NAN), -1);
}

TEST(MsToSecondsTextTest, WritesThreeDecimalsWithAPoint) {
    EXPECT_EQ(MsToSecondsText(0), "0.000");
    EXPECT_EQ(MsToSecondsText(5), "0.005");
    EXPECT_EQ(MsToSecondsText(1234), "1.234");
    EXPECT_EQ(MsToSecondsText(65000), "65.000");
    EXPECT_EQ(MsToSecondsText(-1500), "-1.500");
    EXPECT_EQ(MsToSecondsText(kMax), "2147483.647");
    EXPECT_EQ(MsToSecondsText(kMin), "-2147483.648");
}

TEST(FpsToThousandthsTest, RoundsAndGivesZeroWhenUnknown) {
    EXPECT_EQ(FpsToThousandths(25.0), 25000);
    EXPECT_EQ(FpsToThousandths(24000.0 / 1001.0), 23976);
    EXPECT_EQ(FpsToThousandths(30000.0 / 1001.0), 29970);
    EXPECT_EQ(FpsToThousandths(0.0), 0);
    EXPECT_EQ(FpsToThousandths(-25.0), 0);
    EXPECT_EQ(FpsToThousandths(NAN), 0);
    EXPECT_EQ(FpsToThousandths(INFINITY), 0);
    EXPECT_EQ(FpsToThousandths(1.0e9), 0);
}

}  // namespace
}  // namespace orvalen::mpv
