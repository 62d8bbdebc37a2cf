#include <gtest/gtest.h>

#include <string>

#include "playback/SubtitleState.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

class CountingFrameRates : public FrameRateProvider {
  public:
    int32_t GetFrameRate(const std::string& moviePath) override {
        ++asked;
        lastPath = moviePath;
        return 25000;
    }
    int asked = 0;
    std::string lastPath;
};

// The window keeps the film's frame rate and the unknown-format flag across loads, in two
// objects; a load must read and write both as one loader state would.
TEST(LoadSubtitles, KeepsTheFrameRateInTheFilmAndTheFormatFlagInTheSubtitles) {
    testing::TempDir dir;
    FilmState film{true, "/films/a.avi", 0};
    SubtitleState subtitles;
    CountingFrameRates rates;

    LoadSubtitles(dir.Write("a.sub", "{25}{50}One\n"), subtitles.Track, film, subtitles, &rates);
    EXPECT_EQ(film.FrameRate, 25000);
    EXPECT_EQ(rates.lastPath, "/films/a.avi");
    LoadSubtitles(dir.Write("b.sub", "{50}{75}Two\n"), subtitles.MergeTrack, film, subtitles,
                  &rates);
    EXPECT_EQ(rates.asked, 1) << "the frame rate is asked once per film";
    EXPECT_EQ(subtitles.MergeTrack.StartMs[0], 2000);

    LoadSubtitles(dir.Write("a.smi", "<SAMI>"), subtitles.Track, film, subtitles, &rates);
    EXPECT_TRUE(subtitles.FormatUnknown);
    EXPECT_EQ(subtitles.Track.Count, 1) << "the track keeps its entries";
    LoadSubtitles(dir.Write("c.srt", "1\n0:0:1,0 --> 0:0:2,0\nA\n"), subtitles.Track, film,
                  subtitles, &rates);
    EXPECT_FALSE(subtitles.FormatUnknown);

    film.Close();
    EXPECT_EQ(film.FrameRate, 0);
    EXPECT_FALSE(film.Open);
    EXPECT_TRUE(film.Path.empty());
    subtitles.Reset();
    EXPECT_EQ(subtitles.Track.Count, 0);
    EXPECT_EQ(subtitles.MergeTrack.Count, 0);
}

// What the screen shows follows the reader and the encoding choice of the last load into the
// track; a merge load changes neither.
TEST(ScreenLines, FollowTheTracksMarkupAndEncodingChoice) {
    testing::TempDir dir;
    FilmState film{true, "/films/a.avi", 0};
    SubtitleState subtitles;
    const auto firstLine = [&](std::string_view text) {
        const std::vector<StyledLine> lines = ScreenLines(subtitles, text);
        return lines.empty() ? StyledLine{} : lines[0];
    };
    const TextStyle italic{.Italic = true};

    LoadSubtitles(dir.Write("a.srt", "1\n0:0:1,0 --> 0:0:2,0\n<i>\xE9t\xE9</i>\n"), subtitles.Track,
                  film, subtitles, nullptr);
    EXPECT_EQ(subtitles.Markup, MarkupFamily::SubRip);
    EXPECT_EQ(firstLine(subtitles.Track.Texts[0]), (StyledLine{{"\xC3\xA9t\xC3\xA9", italic}}));

    subtitles.ChosenEncoding = "WINDOWS-1251";
    EXPECT_EQ(firstLine(subtitles.Track.Texts[0]), (StyledLine{{"\xD0\xB9t\xD0\xB9", italic}}));
    LoadSubtitles(dir.Write("b.ssa", "Dialogue: 0,0:00:01.00,0:00:02.00,D,,0,0,0,,x\n"),
                  subtitles.MergeTrack, film, subtitles, nullptr);
    EXPECT_EQ(subtitles.ChosenEncoding, "WINDOWS-1251");
    EXPECT_EQ(subtitles.Markup, MarkupFamily::SubRip);

    LoadSubtitles(dir.Write("c.srt", "1\n0:0:1,0 --> 0:0:2,0\nA\n"), subtitles.Track, film,
                  subtitles, nullptr);
    EXPECT_TRUE(subtitles.ChosenEncoding.empty()) << "a new load detects again";
}

}  // namespace
}  // namespace orvalen
