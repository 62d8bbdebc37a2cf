#include <gtest/gtest.h>

#include "playback/FullScreenBand.h"
#include "playback/PictureFit.h"
#include "playback/SubtitleScale.h"

namespace orvalen {
namespace {

TEST(FullScreenBandTest, FollowsTheScreensPlaceInTheDesktop) {
    EXPECT_EQ(FullScreenBand(0, 0, 1024, 768), FullScreenBand(1024, 768));
    EXPECT_EQ(FullScreenBand(1280, 0, 1920, 1080), (ScreenRect{1280, 990, 3200, 1066}));
    EXPECT_EQ(FullScreenBand(-1024, 200, 1024, 768), (ScreenRect{-1024, 878, 0, 954}));
}

struct FitCase {
    const char* name;
    int32_t width, height, maxWidth, maxHeight;
    PictureSize expected;
};

void PrintTo(const FitCase& c, std::ostream* out) {
    *out << c.name;
}

class FitPictureTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitPictureTest, KeepsTheShapeWithinTheRoom) {
    const FitCase& c = GetParam();
    EXPECT_EQ(FitPicture(c.width, c.height, c.maxWidth, c.maxHeight), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitPictureTest,
    ::testing::Values(
        FitCase{"fits_unchanged", 640, 272, 1264, 900, {640, 272}},
        FitCase{"exactly_fits", 1264, 900, 1264, 900, {1264, 900}},
        FitCase{"width_limited", 1920, 1080, 1264, 900, {1264, 711}},
        FitCase{"height_limited", 1920, 1080, 1900, 700, {1244, 700}},
        FitCase{"huge_square", 16384, 16384, 1000, 800, {800, 800}},
        FitCase{"thin_line_keeps_a_row", 16384, 1, 100, 100, {100, 1}},
        FitCase{"no_room_at_all", 1920, 1080, 0, -5, {1, 1}},
        FitCase{"extreme_sides_no_overflow", 2147483647, 2147483647, 1920, 1080, {1080, 1080}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SubtitleScaleTest, FollowsTheShownPictureWithinLimits) {
    struct Case {
        int32_t chosen, videoWidth, videoHeight, areaWidth, areaHeight, expected;
    };
    const Case cases[] = {
        {20, 1280, 720, 1280, 720, 20},   // the reference height
        {20, 1280, 720, 1920, 1080, 30},  // a full-HD screen
        {20, 1920, 800, 1920, 1200, 22},  // a wide film, limited by the width
        {20, 640, 272, 320, 136, 10},     // never below 10
        {20, 640, 480, 40, 30, 10},       // 10 even above an eighth of a tiny picture
        {200, 1280, 720, 1280, 720, 90},  // never above an eighth
        {20, 0, 0, 1920, 1080, 20},       // no picture: the chosen size
        {1000, 16384, 16384, INT32_MAX, INT32_MAX, 268435455},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chosen << " at " << c.areaHeight);
        const int32_t shown =
            ShownPictureHeight(c.videoWidth, c.videoHeight, c.areaWidth, c.areaHeight);
        EXPECT_EQ(ScaledSubtitlePixels(c.chosen, shown), c.expected);
    }
    const ScreenRect band = FullScreenBand(1920, 1080);
    EXPECT_EQ(GrownBand(band, 20, 30, 0), (ScreenRect{0, 952, 1920, 1066}));
    EXPECT_EQ(GrownBand(band, 20, 10, 0), band);
    EXPECT_EQ(GrownBand(band, 1, 100000, 0).Top, 0);
}

}  // namespace
}  // namespace orvalen
