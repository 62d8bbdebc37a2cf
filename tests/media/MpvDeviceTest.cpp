#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Films.h"
#include "media/MpvDevice.h"

namespace orvalen {
namespace {

using test::Film;
using test::PollUntil;

TEST(MpvDeviceTest, StartsWithNothingOpen) {
    MpvDevice device;
    ASSERT_TRUE(device.Usable());
    EXPECT_EQ(device.Mode(), "not ready");
    EXPECT_EQ(device.Position(), -1);
    EXPECT_EQ(device.Length(), -1);
    EXPECT_FALSE(device.Muted());
    EXPECT_TRUE(device.Close());
}

TEST(MpvDeviceTest, ReportsSeekingUntilPlaybackRestarts) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("avi25-sound.avi")));
    ASSERT_TRUE(device.Seek(8000));
    EXPECT_EQ(device.Mode(), "seeking");
    EXPECT_EQ(device.Position(), 8000);
    EXPECT_TRUE(PollUntil([&] { return device.Mode() != "seeking"; }));
    EXPECT_EQ(device.Position(), 8000);
}

TEST(MpvDeviceTest, SeeksInQuickSuccessionEndAtTheLastTarget) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("avi25-sound.avi")));
    ASSERT_TRUE(device.Play(1.0));
    for (int32_t target = 1000; target <= 8000; target += 1000) ASSERT_TRUE(device.Seek(target));
    ASSERT_TRUE(device.Pause());
    EXPECT_EQ(device.Position(), 8000);
    EXPECT_TRUE(PollUntil([&] { return device.Mode() != "seeking"; }));
    EXPECT_NEAR(device.Position(), 8000, 200);
}

TEST(MpvDeviceTest, OpensARelativePathFromTheCurrentDirectory) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(Film("red.avi")).parent_path());
    MpvDevice device;
    const bool opened = device.Open("red.avi");
    const int32_t frameRate = device.FrameRate("red.avi");
    std::filesystem::current_path(previous);
    EXPECT_TRUE(opened);
    EXPECT_EQ(frameRate, 25000);
}

TEST(MpvDeviceTest, FrameRateOfTheOpenFilmNamedAnotherWay) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("avi23976.avi")));
    const std::string sameFile = Film("dir with blanks é/../avi23976.avi");
    EXPECT_EQ(device.FrameRate(sameFile), 23976);
}

TEST(MpvDeviceTest, NamedPipeIsNotAFilm) {
    const std::filesystem::path pipe =
        std::filesystem::temp_directory_path() / ("orvalen-pipe-" + std::to_string(getpid()));
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    MpvDevice device;
    EXPECT_FALSE(device.Open(pipe.string()));
    std::filesystem::remove(pipe);
    EXPECT_EQ(device.Mode(), "not ready");
}

TEST(MpvDeviceTest, OpenThatTimesOutLeavesNothingOpen) {
    MpvDevice device(mpv::VideoOutput::Rendered, std::chrono::milliseconds(0));
    EXPECT_FALSE(device.Open(Film("avi25-sound.avi")));
    EXPECT_EQ(device.Mode(), "not ready");
    EXPECT_EQ(device.Position(), -1);
    EXPECT_FALSE(device.Open(Film("film.divx")));
    EXPECT_TRUE(device.Close());
}

TEST(MpvDeviceTest, RefusesSpeedsMpvCannotPlay) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("film.divx")));
    EXPECT_FALSE(device.Play(0.0));
    EXPECT_FALSE(device.Play(-2.0));
    EXPECT_EQ(device.Mode(), "stopped");
    EXPECT_TRUE(device.Play(2.0));
}

TEST(MpvDeviceTest, EveryCallFailsQuietlyAfterShutdown) {
    MpvDevice device;
    ASSERT_TRUE(device.Open(Film("avi25-sound.avi")));
    ASSERT_TRUE(device.Play(1.0));
    device.Shutdown();
    EXPECT_FALSE(device.Usable());
    EXPECT_EQ(device.Mode(), "not ready");
    EXPECT_EQ(device.Position(), -1);
    EXPECT_FALSE(device.Play(1.0));
    EXPECT_FALSE(device.Seek(0));
    EXPECT_FALSE(device.Open(Film("avi25-sound.avi")));
    EXPECT_TRUE(device.Close());
    device.Shutdown();
}

TEST(MpvDeviceTest, SilentDeviceOpensAndPlaysWithoutPicture) {
    MpvDevice device(mpv::VideoOutput::None);
    ASSERT_TRUE(device.Open(Film("avi25-sound.avi")));
    int32_t width = 0;
    int32_t height = 0;
    ASSERT_TRUE(device.VideoSize(width, height));
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    ASSERT_TRUE(device.Play(1.0));
    EXPECT_TRUE(PollUntil([&] { return device.Position() >= 300; }));
    uint32_t pixel = 0;
    EXPECT_FALSE(device.RenderFrame(1, 1, 4, &pixel));
}

TEST(MpvDeviceTest, ManyDevicesOneAfterAnother) {
    for (int i = 0; i < 3; ++i) {
        MpvDevice device;
        ASSERT_TRUE(device.Open(Film("film.divx")));
        ASSERT_TRUE(device.Play(1.0));
    }
}

}  // namespace
}  // namespace orvalen
