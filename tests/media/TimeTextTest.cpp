#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "media/MediaControl.h"

namespace orvalen {
namespace {

struct TimeTextCase {
    int32_t ms;
    const char* text;
};

void PrintTo(const TimeTextCase& c, std::ostream* os) {
    *os << c.ms << " ms";
}

class TimeTextTest : public testing::TestWithParam<TimeTextCase> {};

TEST_P(TimeTextTest, DropsMillisecondsAndPadsMinutesAndSeconds) {
    EXPECT_EQ(TimeText(GetParam().ms), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TimeTextTest,
    testing::Values(TimeTextCase{0, "0:00:00"}, TimeTextCase{59999, "0:00:59"},
                    TimeTextCase{754000, "0:12:34"}, TimeTextCase{3600000, "1:00:00"},
                    TimeTextCase{36000000, "10:00:00"},
                    // The failure result of a position or length query.
                    TimeTextCase{-1, "0:00:00"}, TimeTextCase{3599999, "0:59:59"},
                    TimeTextCase{std::numeric_limits<int32_t>::max(), "596:31:23"}));

}  // namespace
}  // namespace orvalen
