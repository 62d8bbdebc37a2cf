#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Films.h"
#include "media/MpvDevice.h"

namespace orvalen {
namespace {

using test::Film;
using test::PollUntil;

// A picture as the window keeps it: QImage::Format_RGB32, one 32-bit word 0xffRRGGBB a pixel.
struct Image {
    int width;
    int height;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(static_cast<size_t>(width) * height);

    bool RenderFrom(MediaDevice& device) {
        return device.RenderFrame(width, height, static_cast<size_t>(width) * 4, pixels.data());
    }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int Red(int x, int y) const { return (At(x, y) >> 16) & 0xff; }
    int Green(int x, int y) const { return (At(x, y) >> 8) & 0xff; }
    int Blue(int x, int y) const { return At(x, y) & 0xff; }
    bool Black(int x, int y) const { return (At(x, y) & 0xffffff) == 0; }

    int NonBlackRows() const {
        int rows = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!Black(x, y)) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    }
};

TEST(MpvRenderTest, RedFilmComesOutRedInFormatRgb32) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("red.avi")));
    Image image{320, 240};
    ASSERT_TRUE(PollUntil([&] { return image.RenderFrom(device) && !image.Black(160, 120); }));
    EXPECT_GT(image.Red(160, 120), 200);
    EXPECT_LT(image.Green(160, 120), 60);
    EXPECT_LT(image.Blue(160, 120), 60);
    EXPECT_EQ(image.At(160, 120) >> 24, 0xffu);
}

TEST(MpvRenderTest, PlayingTestPatternFillsThePicture) {
    MpvDevice device;
    std::atomic<int> frames{0};
    device.SetFrameReadyCallback([&] { ++frames; });
    ASSERT_TRUE(device.Open(Film("avi25-sound.avi")));
    ASSERT_TRUE(device.Play(1.0));
    ASSERT_TRUE(PollUntil([&] { return device.Position() >= 500; }));
    Image image{320, 240};
    ASSERT_TRUE(PollUntil([&] { return image.RenderFrom(device) && image.NonBlackRows() > 200; }));
    EXPECT_GT(frames.load(), 0);
    device.SetFrameReadyCallback(nullptr);
}

TEST(MpvRenderTest, WidePictureIsLetterboxed) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("avi23976.avi")));
    Image image{640, 480};
    // The first answer may be a picture drawn at another size; wait for this size.
    ASSERT_TRUE(PollUntil([&] {
        return image.RenderFrom(device) && image.Black(320, 10) && !image.Black(320, 240);
    }));
    EXPECT_NEAR(image.NonBlackRows(), 272, 4);
    EXPECT_TRUE(image.Black(320, 470));
}

TEST(MpvRenderTest, PausedFilmGetsDrawnAtANewSize) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("red.avi")));
    Image large{320, 240};
    ASSERT_TRUE(PollUntil([&] { return large.RenderFrom(device) && !large.Black(160, 120); }));
    Image small{160, 120};
    // Stretched from the large picture at once, then drawn at the small size.
    EXPECT_TRUE(small.RenderFrom(device));
    EXPECT_GT(small.Red(80, 60), 200);
    ASSERT_TRUE(PollUntil([&] { return small.RenderFrom(device) && small.Red(80, 60) > 200; }));
}

TEST(MpvRenderTest, NoPictureWithoutAFilmOrAfterClose) {
    MpvDevice device;
    Image image{64, 48};
    EXPECT_FALSE(image.RenderFrom(device));
    ASSERT_TRUE(device.Open(Film("red.avi")));
    ASSERT_TRUE(PollUntil([&] { return image.RenderFrom(device); }));
    ASSERT_TRUE(device.Close());
    EXPECT_FALSE(image.RenderFrom(device));
}

TEST(MpvRenderTest, RefusesBuffersItCannotFill) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("red.avi")));
    Image image{64, 48};
    ASSERT_TRUE(PollUntil([&] { return image.RenderFrom(device); }));
    std::vector<uint32_t> pixels(64 * 48 + 1);
    EXPECT_FALSE(device.RenderFrame(64, 48, 64 * 4, nullptr));
    EXPECT_FALSE(device.RenderFrame(0, 48, 64 * 4, pixels.data()));
    EXPECT_FALSE(device.RenderFrame(64, -1, 64 * 4, pixels.data()));
    EXPECT_FALSE(device.RenderFrame(64, 48, 63 * 4, pixels.data()));
    EXPECT_FALSE(device.RenderFrame(64, 48, 64 * 4 + 2, pixels.data()));
    EXPECT_FALSE(device.RenderFrame(100000, 48, 100000 * 4, pixels.data()));
    auto* misaligned = reinterpret_cast<uint8_t*>(pixels.data()) + 1;
    EXPECT_FALSE(device.RenderFrame(8, 8, 64, misaligned));
    EXPECT_TRUE(image.RenderFrom(device));
}

TEST(MpvRenderTest, ShutdownWhilePlayingStopsTheCallbacks) {
    auto device = std::make_unique<MpvDevice>();
    std::atomic<int> frames{0};
    device->SetFrameReadyCallback([&] { ++frames; });
    ASSERT_TRUE(device->Open(Film("avi25-sound.avi")));
    ASSERT_TRUE(device->Play(1.0));
    ASSERT_TRUE(PollUntil([&] { return frames.load() > 3; }));
    device->Shutdown();
    const int after = frames.load();
    Image image{32, 24};
    EXPECT_FALSE(image.RenderFrom(*device));
    device.reset();
    EXPECT_EQ(frames.load(), after);
}

}  // namespace
}  // namespace orvalen
