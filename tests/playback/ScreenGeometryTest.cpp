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

struct ScaleCase {
    const char* name;
    int32_t chosen, videoWidth, videoHeight, areaWidth, areaHeight;
    int32_t expected;
};

class SubtitleScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(SubtitleScaleTest, FollowsTheShownPictureWithinLimits) {
    const ScaleCase& c = GetParam();
    const int32_t shown =
        ShownPictureHeight(c.videoWidth, c.videoHeight, c.areaWidth, c.areaHeight);
    EXPECT_EQ(ScaledSubtitlePixels(c.chosen, shown), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SubtitleScaleTest,
    ::testing::Values(ScaleCase{"reference_height", 20, 1280, 720, 1280, 720, 20},
                      ScaleCase{"full_hd_screen", 20, 1280, 720, 1920, 1080, 30},
                      ScaleCase{"wide_film_limited_by_width", 20, 1920, 800, 1920, 1200, 22},
                      ScaleCase{"small_window_floor", 20, 640, 272, 320, 136, 10},
                      ScaleCase{"tiny_picture_keeps_floor", 20, 640, 480, 40, 30, 10},
                      ScaleCase{"big_font_capped_at_an_eighth", 200, 1280, 720, 1280, 720, 90},
                      ScaleCase{"no_picture_keeps_chosen", 20, 0, 0, 1920, 1080, 20},
                      ScaleCase{"huge_screen_no_overflow", 1000, 16384, 16384, 2147483647,
                                2147483647, 268435455}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GrownBandTest, GrowsUpwardWithTheFontOnly) {
    const ScreenRect band = FullScreenBand(1920, 1080);
    EXPECT_EQ(GrownBand(band, 20, 30, 0), (ScreenRect{0, 952, 1920, 1066}));
    EXPECT_EQ(GrownBand(band, 20, 10, 0), band);
    EXPECT_EQ(GrownBand(band, 1, 100000, 0).Top, 0);
}

}  // namespace
}  // namespace orvalen
