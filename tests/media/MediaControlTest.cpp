#include <chrono>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "Films.h"
#include "media/MediaControl.h"
#include "media/MpvDevice.h"

namespace orvalen {
namespace {

using test::Film;
using test::PollUntil;

class MediaControlTest : public testing::Test {
  protected:
    void Open(const std::string& name) { ASSERT_TRUE(control_.OpenMovie(Film(name))) << name; }

    // Until the last seek has finished.
    bool Settled() {
        return PollUntil([this] { return control_.GetMode() != "seeking"; });
    }

    void SeekAndSettle(int32_t ms) {
        ASSERT_TRUE(control_.SeekTo(ms));
        ASSERT_TRUE(Settled());
    }

    bool ModeBecomes(const std::string& mode) {
        return PollUntil([&] { return control_.GetMode() == mode; });
    }

    bool PositionReaches(int32_t ms) {
        return PollUntil([&] { return control_.GetPosition() >= ms; });
    }

    MpvDevice device_;
    MediaControl control_{device_};
};

struct FilmCase {
    const char* name;
    int32_t lengthMs;
    int32_t width;
    int32_t height;
};

void PrintTo(const FilmCase& c, std::ostream* os) {
    *os << c.name;
}

class OpenFilmTest : public MediaControlTest, public testing::WithParamInterface<FilmCase> {};

TEST_P(OpenFilmTest, OpensStoppedAtTheStartWithItsLengthAndSize) {
    const FilmCase& film = GetParam();
    Open(film.name);
    EXPECT_EQ(control_.GetMode(), "stopped");
    EXPECT_EQ(control_.GetPosition(), 0);
    EXPECT_NEAR(control_.GetLength(), film.lengthMs, 100);
    int32_t width = -1;
    int32_t height = -1;
    ASSERT_TRUE(control_.GetVideoSize(width, height));
    EXPECT_EQ(width, film.width);
    EXPECT_EQ(height, film.height);
}

INSTANTIATE_TEST_SUITE_P(
    Films, OpenFilmTest,
    testing::Values(FilmCase{"avi25-sound.avi", 10000, 320, 240},
                    FilmCase{"avi23976.avi", 5005, 640, 272}, FilmCase{"mpeg1.mpg", 4000, 320, 240},
                    FilmCase{"mpeg2.mpg", 3000, 640, 272}, FilmCase{"film.divx", 3000, 320, 240},
                    FilmCase{"dir with blanks é/fïlm ñame (1).avi", 3000, 320, 240},
                    FilmCase{"long.avi", 130000, 32, 24}),
    [](const testing::TestParamInfo<FilmCase>& info) {
        return "Film" + std::to_string(info.index);
    });

struct NotAFilm {
    std::string film;
    const char* reason;  // what the user is told
};

void PrintTo(const NotAFilm& c, std::ostream* out) {
    *out << c.film;
}

class NotAFilmTest : public MediaControlTest, public testing::WithParamInterface<NotAFilm> {};

TEST_P(NotAFilmTest, DoesNotOpenAndEveryOperationFailsQuietly) {
    const std::string& film = GetParam().film;
    const std::string path = film == "<missing>"     ? test::MissingFilm()
                             : film == "<directory>" ? Film("dir with blanks é")
                             : film.empty()          ? std::string()
                                                     : Film(film);
    EXPECT_FALSE(control_.OpenMovie(path));
    EXPECT_EQ(control_.OpenError(), GetParam().reason);
    EXPECT_EQ(control_.GetMode(), "not ready");
    EXPECT_EQ(control_.GetPosition(), -1);
    EXPECT_EQ(control_.GetLength(), -1);
    EXPECT_FALSE(control_.PlayMovie());
    EXPECT_FALSE(control_.PlayFast());
    EXPECT_FALSE(control_.PlayFullScreen());
    EXPECT_FALSE(control_.PauseMovie());
    EXPECT_FALSE(control_.StopMovie());
    EXPECT_FALSE(control_.SeekTo(1000));
    EXPECT_FALSE(control_.BackOneMinute());
    EXPECT_FALSE(control_.SoundOff());
    EXPECT_FALSE(control_.SoundOn());
    int32_t width = 7;
    int32_t height = 9;
    EXPECT_FALSE(control_.GetVideoSize(width, height));
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 9);
    EXPECT_EQ(control_.GetFrameRate(path), 0);
    control_.ShowVideoWindow();
    EXPECT_TRUE(control_.CloseAllDevices());
    // The device is still good for a film.
    Open("film.divx");
}

INSTANTIATE_TEST_SUITE_P(Paths, NotAFilmTest,
                         testing::Values(NotAFilm{"text.avi", "unrecognized file format"},
                                         NotAFilm{"playlist.avi", "unrecognized file format"},
                                         NotAFilm{"noise.avi", "unrecognized file format"},
                                         NotAFilm{"truncated.avi", "unrecognized file format"},
                                         NotAFilm{"empty.avi", "the file is empty"},
                                         NotAFilm{"<missing>", "No such file or directory"},
                                         NotAFilm{"<directory>", "it is a folder"},
                                         NotAFilm{"", "no file was named"}),
                         [](const testing::TestParamInfo<NotAFilm>& info) {
                             return "Path" + std::to_string(info.index);
                         });

TEST_F(MediaControlTest, ModeWordsFollowPlayPauseAndStop) {
    Open("avi25-sound.avi");
    EXPECT_EQ(control_.GetMode(), "stopped");
    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_EQ(control_.GetMode(), "playing");
    ASSERT_TRUE(PositionReaches(300));

    ASSERT_TRUE(control_.PauseMovie());
    EXPECT_EQ(control_.GetMode(), "paused");
    const int32_t paused = control_.GetPosition();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(control_.GetPosition(), paused);

    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_EQ(control_.GetMode(), "playing");
    ASSERT_TRUE(PositionReaches(paused + 200));

    ASSERT_TRUE(control_.StopMovie());
    // Rewound at once for the index re-alignment that follows a stop.
    EXPECT_EQ(control_.GetPosition(), 0);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetMode(), "stopped");
    EXPECT_EQ(control_.GetPosition(), 0);
    control_.ShowVideoWindow();

    // Play after stop starts again from the beginning.
    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_EQ(control_.GetMode(), "playing");
    ASSERT_TRUE(PositionReaches(200));

    ASSERT_TRUE(control_.CloseAllDevices());
    EXPECT_EQ(control_.GetMode(), "not ready");
}

TEST_F(MediaControlTest, EndOfFilmReadsStoppedAndStaysAtTheEnd) {
    Open("avi25-sound.avi");
    const int32_t length = control_.GetLength();
    SeekAndSettle(length - 400);
    ASSERT_TRUE(control_.PlayMovie());
    ASSERT_TRUE(ModeBecomes("stopped"));
    const int32_t end = control_.GetPosition();
    EXPECT_GE(end, length - 100);
    EXPECT_LE(end, length);

    // Nothing rewinds or restarts the film by itself, not even playing at the end: the device
    // says it stands at its end, and a seek to 0 then plays it again.
    EXPECT_TRUE(control_.AtEnd());
    EXPECT_TRUE(control_.PlayMovie());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(control_.GetMode(), "stopped");
    EXPECT_EQ(control_.GetPosition(), end);
    ASSERT_TRUE(control_.SeekTo(0));
    EXPECT_FALSE(control_.AtEnd());
    ASSERT_TRUE(control_.PlayMovie());
    ASSERT_TRUE(ModeBecomes("playing"));
    ASSERT_TRUE(PositionReaches(200));
    EXPECT_LT(control_.GetPosition(), 2000);
    EXPECT_FALSE(control_.AtEnd());
    SeekAndSettle(length - 400);
    ASSERT_TRUE(ModeBecomes("stopped"));

    // Stop rewinds; Play then plays from the start.
    ASSERT_TRUE(control_.StopMovie());
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetPosition(), 0);
    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_EQ(control_.GetMode(), "playing");
}

class SeekTest : public MediaControlTest, public testing::WithParamInterface<int32_t> {};

TEST_P(SeekTest, LandsOnTheTargetAndReportsItAtOnce) {
    const int32_t target = GetParam();
    Open("avi25-sound.avi");
    ASSERT_TRUE(control_.SeekTo(target));
    EXPECT_EQ(control_.GetPosition(), target);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetMode(), "stopped");
    // Frames every 40 ms: the targets here start a frame.
    EXPECT_EQ(control_.GetPosition(), target);
}

INSTANTIATE_TEST_SUITE_P(Targets, SeekTest, testing::Values(0, 40, 1000, 4960, 7320, 9000));

TEST_F(MediaControlTest, SeekBetweenFramesShowsTheFrameOnScreenThen) {
    Open("avi25-sound.avi");
    ASSERT_TRUE(control_.SeekTo(1234));
    EXPECT_EQ(control_.GetPosition(), 1234);
    ASSERT_TRUE(Settled());
    EXPECT_NEAR(control_.GetPosition(), 1234, 40);
}

TEST_F(MediaControlTest, SeekWhilePlayingGoesOnFromTheTarget) {
    Open("avi25-sound.avi");
    ASSERT_TRUE(control_.PlayMovie());
    ASSERT_TRUE(PositionReaches(200));
    ASSERT_TRUE(control_.SeekTo(6000));
    EXPECT_EQ(control_.GetPosition(), 6000);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetMode(), "playing");
    const int32_t position = control_.GetPosition();
    EXPECT_GE(position, 6000);
    EXPECT_LT(position, 9000);
    ASSERT_TRUE(PositionReaches(6200));
}

TEST_F(MediaControlTest, SeekBelowZeroGoesToTheStartNotFromTheEnd) {
    Open("avi25-sound.avi");
    SeekAndSettle(5000);
    ASSERT_TRUE(control_.SeekTo(-3000));
    EXPECT_EQ(control_.GetPosition(), 0);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetPosition(), 0);
    ASSERT_TRUE(control_.SeekTo(std::numeric_limits<int32_t>::min()));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetPosition(), 0);
}

TEST_F(MediaControlTest, SeekPastTheEndStopsAtTheEnd) {
    Open("avi25-sound.avi");
    const int32_t length = control_.GetLength();
    ASSERT_TRUE(control_.SeekTo(std::numeric_limits<int32_t>::max()));
    EXPECT_EQ(control_.GetPosition(), length);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetMode(), "stopped");
    EXPECT_GE(control_.GetPosition(), length - 100);
    EXPECT_LE(control_.GetPosition(), length);
}

TEST_F(MediaControlTest, BackOneMinuteAt45SecondsGoesToTheStartAndPlays) {
    Open("long.avi");
    SeekAndSettle(45000);
    ASSERT_TRUE(control_.BackOneMinute());
    EXPECT_EQ(control_.GetPosition(), 0);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetMode(), "playing");
    EXPECT_LT(control_.GetPosition(), 3000);
}

TEST_F(MediaControlTest, BackOneMinuteAt125SecondsGoesTo65SecondsAndPlays) {
    Open("long.avi");
    SeekAndSettle(125000);
    ASSERT_TRUE(control_.BackOneMinute());
    EXPECT_EQ(control_.GetPosition(), 65000);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(control_.GetMode(), "playing");
    EXPECT_GE(control_.GetPosition(), 65000);
    EXPECT_LT(control_.GetPosition(), 68000);
}

TEST_F(MediaControlTest, BackOneMinuteRestoresNormalSpeed) {
    Open("long.avi");
    ASSERT_TRUE(control_.PlayFast());
    SeekAndSettle(100000);
    ASSERT_TRUE(control_.BackOneMinute());
    ASSERT_TRUE(Settled());
    const auto start = std::chrono::steady_clock::now();
    const int32_t from = control_.GetPosition();
    ASSERT_TRUE(PositionReaches(from + 1000));
    // At double speed a second of film would pass in half a second.
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
}

TEST_F(MediaControlTest, PlayFastPlaysAtDoubleSpeedUntilTheNextPlay) {
    Open("long.avi");
    ASSERT_TRUE(control_.PlayFast());
    EXPECT_EQ(control_.GetMode(), "playing");
    ASSERT_TRUE(PositionReaches(200));
    auto start = std::chrono::steady_clock::now();
    int32_t from = control_.GetPosition();
    ASSERT_TRUE(PositionReaches(from + 3000));
    // A slow machine only makes this longer; 3 s of film in under 2.4 s is faster than life.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2400));

    // Pause, then Play: normal speed again.
    ASSERT_TRUE(control_.PauseMovie());
    ASSERT_TRUE(control_.PlayMovie());
    start = std::chrono::steady_clock::now();
    from = control_.GetPosition();
    ASSERT_TRUE(PositionReaches(from + 1000));
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
}

TEST_F(MediaControlTest, PlayFullScreenPlaysAtNormalSpeed) {
    Open("long.avi");
    ASSERT_TRUE(control_.PlayFast());
    ASSERT_TRUE(control_.PlayFullScreen());
    EXPECT_EQ(control_.GetMode(), "playing");
    ASSERT_TRUE(PositionReaches(200));
    const auto start = std::chrono::steady_clock::now();
    const int32_t from = control_.GetPosition();
    ASSERT_TRUE(PositionReaches(from + 1000));
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
}

TEST_F(MediaControlTest, FilmWithSoundPlaysWithoutASoundCard) {
    Open("mpeg1.mpg");
    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_TRUE(PositionReaches(1000));
    EXPECT_EQ(control_.GetMode(), "playing");
}

TEST_F(MediaControlTest, SoundOffAndOnMuteTheFilmAndAnotherFilmHasSound) {
    Open("avi25-sound.avi");
    EXPECT_FALSE(device_.Muted());
    ASSERT_TRUE(control_.SoundOff());
    EXPECT_TRUE(device_.Muted());
    ASSERT_TRUE(control_.SoundOn());
    EXPECT_FALSE(device_.Muted());
    ASSERT_TRUE(control_.SoundOff());
    ASSERT_TRUE(control_.CloseAllDevices());
    Open("mpeg1.mpg");
    EXPECT_FALSE(device_.Muted());
}

TEST_F(MediaControlTest, SoundOffWorksOnAFilmWithoutSound) {
    Open("avi23976.avi");
    EXPECT_TRUE(control_.SoundOff());
    EXPECT_TRUE(control_.SoundOn());
}

TEST_F(MediaControlTest, VideoSizeOfAFilmWithoutPictureFailsAndLeavesTheSizeAlone) {
    Open("sound-only.avi");
    int32_t width = 11;
    int32_t height = 13;
    EXPECT_FALSE(control_.GetVideoSize(width, height));
    EXPECT_EQ(width, 11);
    EXPECT_EQ(height, 13);
    EXPECT_NEAR(control_.GetLength(), 3000, 100);
    EXPECT_EQ(control_.GetFrameRate(Film("sound-only.avi")), 0);
    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_TRUE(PositionReaches(300));
}

TEST_F(MediaControlTest, CloseWhilePlayingThenReopen) {
    Open("avi25-sound.avi");
    ASSERT_TRUE(control_.PlayFast());
    ASSERT_TRUE(control_.SoundOff());
    ASSERT_TRUE(PositionReaches(300));
    ASSERT_TRUE(control_.CloseAllDevices());
    EXPECT_EQ(control_.GetMode(), "not ready");
    EXPECT_EQ(control_.GetPosition(), -1);
    EXPECT_EQ(control_.GetLength(), -1);
    EXPECT_FALSE(control_.PlayMovie());
    EXPECT_TRUE(control_.CloseAllDevices());

    // The same film again: at the start, stopped, normal speed, sound on.
    Open("avi25-sound.avi");
    EXPECT_EQ(control_.GetMode(), "stopped");
    EXPECT_EQ(control_.GetPosition(), 0);
    EXPECT_FALSE(device_.Muted());
    ASSERT_TRUE(control_.PlayMovie());
    ASSERT_TRUE(PositionReaches(200));
    const auto start = std::chrono::steady_clock::now();
    const int32_t from = control_.GetPosition();
    ASSERT_TRUE(PositionReaches(from + 1000));
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
}

TEST_F(MediaControlTest, OpeningASecondFilmWhileOnePlaysReplacesIt) {
    Open("avi25-sound.avi");
    ASSERT_TRUE(control_.PlayMovie());
    ASSERT_TRUE(control_.SeekTo(5000));
    ASSERT_TRUE(PositionReaches(5000));
    Open("avi23976.avi");
    EXPECT_EQ(control_.GetMode(), "stopped");
    EXPECT_EQ(control_.GetPosition(), 0);
    EXPECT_NEAR(control_.GetLength(), 5005, 100);
    int32_t width = 0;
    int32_t height = 0;
    ASSERT_TRUE(control_.GetVideoSize(width, height));
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 272);
    EXPECT_EQ(control_.GetFrameRate(Film("avi23976.avi")), 23976);
    ASSERT_TRUE(control_.PlayMovie());
    ASSERT_TRUE(PositionReaches(200));
}

TEST_F(MediaControlTest, AFilmThatWillNotOpenLeavesNoFilmOpen) {
    Open("avi25-sound.avi");
    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_FALSE(control_.OpenMovie(Film("text.avi")));
    EXPECT_EQ(control_.GetMode(), "not ready");
    EXPECT_EQ(control_.GetPosition(), -1);
    Open("red.avi");
    EXPECT_EQ(control_.GetMode(), "stopped");
}

TEST_F(MediaControlTest, FilmThatLosesItsSecondHalfPlaysToWhereItEnds) {
    // Cut at about 5.4 s, without its index: mpv cannot tell its length.
    Open("cut-short.avi");
    ASSERT_TRUE(control_.PlayMovie());
    ASSERT_TRUE(PositionReaches(200));
    ASSERT_TRUE(control_.SeekTo(4500));
    // No hang: the film ends in good time and every query still answers.
    EXPECT_TRUE(PollUntil([this] {
        const std::string mode = control_.GetMode();
        return mode == "stopped" || mode == "not ready";
    }));
    EXPECT_LT(control_.GetPosition(), 6000);
    EXPECT_TRUE(control_.CloseAllDevices());
}

struct FrameRateCase {
    const char* name;
    int32_t frameRate;
};

void PrintTo(const FrameRateCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameRateTest : public MediaControlTest, public testing::WithParamInterface<FrameRateCase> {};

TEST_P(FrameRateTest, ReadsTheContainerRateFromTheFileOrTheOpenFilm) {
    const std::string path = Film(GetParam().name);
    EXPECT_EQ(control_.GetFrameRate(path), GetParam().frameRate);
    Open(GetParam().name);
    EXPECT_EQ(control_.GetFrameRate(path), GetParam().frameRate);
}

INSTANTIATE_TEST_SUITE_P(
    Films, FrameRateTest,
    testing::Values(FrameRateCase{"avi25-sound.avi", 25000}, FrameRateCase{"avi23976.avi", 23976},
                    FrameRateCase{"mpeg1.mpg", 25000}, FrameRateCase{"mpeg2.mpg", 25000},
                    FrameRateCase{"film.divx", 25000}, FrameRateCase{"long.avi", 5000},
                    FrameRateCase{"film.mkv", 23976}, FrameRateCase{"film.mp4", 30000}),
    [](const testing::TestParamInfo<FrameRateCase>& info) {
        return "Film" + std::to_string(info.index);
    });

TEST_F(MediaControlTest, FrameRateOfAnotherFileLeavesTheOpenFilmAlone) {
    Open("avi25-sound.avi");
    ASSERT_TRUE(control_.PlayMovie());
    EXPECT_EQ(control_.GetFrameRate(Film("avi23976.avi")), 23976);
    EXPECT_EQ(control_.GetFrameRate(Film("text.avi")), 0);
    EXPECT_EQ(control_.GetFrameRate(test::MissingFilm()), 0);
    EXPECT_EQ(control_.GetMode(), "playing");
    EXPECT_NEAR(control_.GetLength(), 10000, 100);
    EXPECT_TRUE(PositionReaches(300));
}

}  // namespace
}  // namespace orvalen
