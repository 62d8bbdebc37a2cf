#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "subtitles/Parser.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using R = SubtitleReaderId;
using testing::TempDir;

struct DispatchCase {
    const char* path;
    const char* content;
    SubtitleReaderId reader;
};

void PrintTo(const DispatchCase& c, std::ostream* os) {
    *os << c.path << ": " << c.content;
}

class DispatchTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchTest, ChoosesTheReader) {
    const DispatchCase& c = GetParam();
    SubtitleTrack track;
    LoaderState state;
    LoadReport report = LoadSubtitleBytes(c.path, c.content, track, state, nullptr);
    EXPECT_EQ(report.Reader, c.reader);
    EXPECT_EQ(state.SubtitleFormatUnknown, c.reader == R::None);
}

INSTANTIATE_TEST_SUITE_P(
    ByExtensionAndFirstLine, DispatchTest,
    ::testing::Values(
        DispatchCase{"/films/MOVIE.SRT", "", R::SubRip}, DispatchCase{"movie.Srt", "", R::SubRip},
        DispatchCase{"movie.srt.bak", "1\n", R::None}, DispatchCase{"", "", R::None},
        DispatchCase{"/films/a.srt/movie", "", R::None},
        DispatchCase{"a.ssa", "", R::SubStationAlpha}, DispatchCase{"a.psb", "", R::PowerDivX},
        DispatchCase{"a.TXT", "", R::TMPlayer}, DispatchCase{"a.dks", "", R::Dks},
        DispatchCase{"a.mpl", "", R::MPlayer}, DispatchCase{"a.scr", "", R::MacSub},
        DispatchCase{"a.vsf", "", R::Viplay}, DispatchCase{"a.smi", "", R::None},
        DispatchCase{"a.tts", "", R::None}, DispatchCase{"a.jss", "", R::None},
        DispatchCase{"a.zeg", "", R::None}, DispatchCase{"a.jps", "", R::None},
        DispatchCase{"a.rt", "", R::None}, DispatchCase{"a.sub", "{1}{50}Hi\n", R::MicroDvd},
        DispatchCase{"a.SUB", "{ 1}{50}Hi\n", R::MicroDvd},
        DispatchCase{"a.sub", " {1}{50}Hi\n", R::TimecodePairs},
        DispatchCase{"a.sub", "{fe}{de}Subtitle\n", R::BraceBlocks},
        DispatchCase{"a.sub", "[information]\n", R::SubViewer2},
        DispatchCase{"a.sub", "[TiTlE]\n", R::SubViewer1},
        DispatchCase{"a.sub", "[SUBTITLE]\n", R::TimecodePairs},
        DispatchCase{"a.sub", "[TI\n", R::TimecodePairs},
        DispatchCase{"a.sub", "12 250.5 \\ ~:\\Hi\n", R::WrappedSeconds},
        DispatchCase{"a.sub", "12 250\n", R::TimecodePairs},
        DispatchCase{"a.sub", "", R::TimecodePairs},
        DispatchCase{"a.sub", "1\n00:00:01,000 --> 00:00:02,000\n", R::SubRip},
        // A UTF-8 byte-order mark is not part of the first line.
        DispatchCase{"a.sub", "\xEF\xBB\xBF{1}{50}Hi\n", R::MicroDvd},
        DispatchCase{"a.sub", "\xEF\xBB\xBF[INFORMATION]\n", R::SubViewer2}));

// Answers with a fixed rate and counts the questions.
class CountingFrameRate : public FrameRateProvider {
  public:
    explicit CountingFrameRate(int32_t rate) : rate_(rate) {}
    int32_t GetFrameRate(const std::string& moviePath) override {
        ++Calls;
        LastPath = moviePath;
        return rate_;
    }
    int Calls = 0;
    std::string LastPath;

  private:
    int32_t rate_;
};

TEST(LoadSubtitleFile, AsksTheFilmForItsFrameRateOnceAndReusesIt) {
    SubtitleTrack track;
    LoaderState state;
    state.MoviePath = "/films/film.avi";
    CountingFrameRate film(25000);
    LoadReport first = LoadSubtitleBytes("a.sub", "{25}{50}A\n", track, state, &film);
    EXPECT_EQ(film.Calls, 1);
    EXPECT_EQ(film.LastPath, "/films/film.avi");
    EXPECT_EQ(state.FrameRate, 25000);
    EXPECT_EQ(first.FrameRateStatus, "FrameRate = 25000");
    EXPECT_EQ(track.StartMs[0], 1000);

    LoadSubtitleBytes("b.mpl", "50,75,0,B\n", track, state, &film);
    EXPECT_EQ(film.Calls, 1);
    EXPECT_EQ(track.StartMs[0], 2000);

    // A time-stamped format needs no rate, yet the known one is still shown.
    LoadReport srt = LoadSubtitleBytes("c.srt", "", track, state, &film);
    EXPECT_EQ(film.Calls, 1);
    EXPECT_EQ(srt.FrameRateStatus, "FrameRate = 25000");
}

TEST(LoadSubtitleFile, FallsBackToTheDefaultRateWhenTheFilmCannotTell) {
    for (int32_t answer : {0, -25000}) {
        SubtitleTrack track;
        LoaderState state;
        CountingFrameRate film(answer);
        LoadReport report = LoadSubtitleBytes("a.scr", "/24\nA\n/47\n", track, state, &film);
        EXPECT_EQ(state.FrameRate, DefaultFrameRate);
        EXPECT_EQ(report.FrameRateStatus, "FrameRate = 23976");
        EXPECT_EQ(track.EndMs[0], 1960);
    }
    SubtitleTrack track;
    LoaderState state;
    LoadSubtitleBytes("a.sub", "{24}{47}A\n", track, state, nullptr);
    EXPECT_EQ(state.FrameRate, DefaultFrameRate);
}

TEST(LoadSubtitleFile, TimeStampedFormatsNeitherAskNorShowARate) {
    SubtitleTrack track;
    LoaderState state;
    CountingFrameRate film(25000);
    LoadReport report = LoadSubtitleBytes("a.srt", "", track, state, &film);
    EXPECT_EQ(film.Calls, 0);
    EXPECT_EQ(state.FrameRate, 0);
    EXPECT_EQ(report.FrameRateStatus, "");
}

TEST(LoadSubtitleFile, ExtensionWithoutReaderKeepsTheTrackAndSetsTheFlag) {
    TempDir dir;
    SubtitleTrack track;
    LoaderState state;
    LoadSubtitleFile(dir.Write("a.srt", "1\n0:0:1,0 --> 0:0:2,0\nA\n"), track, state, nullptr);
    ASSERT_EQ(track.Count, 1);
    track.Cursor = 1;

    LoadReport smi = LoadSubtitleFile(dir.Write("a.smi", "<SAMI>"), track, state, nullptr);
    EXPECT_TRUE(smi.Opened);
    EXPECT_EQ(smi.Reader, R::None);
    EXPECT_TRUE(state.SubtitleFormatUnknown);
    EXPECT_EQ(track.Count, 1);
    EXPECT_EQ(track.Cursor, 1);
    EXPECT_EQ(track.Texts[0], "A\n");
    EXPECT_EQ(track.Encoding, "UTF-8");

    LoadSubtitleFile(dir.Write("b.srt", ""), track, state, nullptr);
    EXPECT_FALSE(state.SubtitleFormatUnknown);
    EXPECT_EQ(track.Count, 0);
}

TEST(LoadSubtitleFile, SecondLoadLeavesNothingOfTheFirst) {
    SubtitleTrack track;
    LoaderState state;
    LoadSubtitleBytes("a.txt", "0:00:01,0=A\n0:00:02,0=B\n0:00:03,0=C\n0:00:04,0=\n", track, state,
                      nullptr);
    ASSERT_EQ(track.Count, 3);
    LoadSubtitleBytes("b.psb", "{0:00:09}{0:00:10}Z\n", track, state, nullptr);
    EXPECT_EQ(track.Count, 1);
    EXPECT_EQ(track.Texts[0], "Z\n");
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(track.StartMs[i], 0);
        EXPECT_EQ(track.EndMs[i], 0);
        EXPECT_EQ(track.Texts[i], "");
    }
}

TEST(LoadSubtitleFile, FileThatCannotBeOpenedLeavesTrackAndStateUnchanged) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() + "/folder.srt");
    for (std::string path : {dir.Path() + "/missing.srt", dir.Path() + "/folder.srt"}) {
        SubtitleTrack track;
        LoaderState state;
        LoadSubtitleBytes("a.srt", "1\n0:0:1,0 --> 0:0:2,0\nA\n", track, state, nullptr);
        state.SubtitleFormatUnknown = true;
        state.FrameRate = 25000;
        LoadReport report = LoadSubtitleFile(path, track, state, nullptr);
        EXPECT_FALSE(report.Opened) << path;
        EXPECT_FALSE(report.OpenError.empty());
        EXPECT_EQ(report.FrameRateStatus, "");
        EXPECT_TRUE(state.SubtitleFormatUnknown);
        EXPECT_EQ(track.Count, 1);
        EXPECT_EQ(track.Texts[0], "A\n");
    }
}

TEST(LoadSubtitleFile, MissingFileWithoutReaderStillSetsTheFlag) {
    TempDir dir;
    SubtitleTrack track;
    LoaderState state;
    state.FrameRate = 25000;
    LoadReport report = LoadSubtitleFile(dir.Path() + "/missing.smi", track, state, nullptr);
    EXPECT_FALSE(report.Opened);
    EXPECT_TRUE(state.SubtitleFormatUnknown);
    EXPECT_EQ(report.FrameRateStatus, "FrameRate = 25000");
}

TEST(LoadSubtitleFile, ReadsFromDiskWithByteOrderMarkAndCrLf) {
    TempDir dir;
    SubtitleTrack track;
    LoaderState state;
    std::string path = dir.Write("Film.SRT",
                                 "\xEF\xBB\xBF"
                                 "1\r\n00:00:01,500 --> 00:00:04,000\r\nH\xC3\xA9\r\n\r\n");
    LoadReport report = LoadSubtitleFile(path, track, state, nullptr);
    EXPECT_TRUE(report.Opened);
    ASSERT_EQ(track.Count, 1);
    EXPECT_EQ(track.StartMs[0], 1500);
    EXPECT_EQ(track.Texts[0], "H\xC3\xA9\n");
    EXPECT_EQ(track.Encoding, "UTF-8");
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(LoadSubtitleFile, ConvertsUtf16ToUtf8) {
    for (bool bigEndian : {false, true}) {
        SubtitleTrack track;
        LoaderState state;
        std::string bytes =
            Utf16(u"1\r\n0:0:1,0 --> 0:0:2,0\r\nCaf\u00e9 \U0001F600\r\n\r\n", bigEndian);
        LoadSubtitleBytes("a.srt", bytes, track, state, nullptr);
        ASSERT_EQ(track.Count, 1) << bigEndian;
        EXPECT_EQ(track.Texts[0], "Caf\xC3\xA9 \xF0\x9F\x98\x80\n");
        EXPECT_EQ(track.Encoding, "UTF-8");
    }
}

TEST(LoadSubtitleFile, BrokenUtf16BecomesReplacementCharacters) {
    SubtitleTrack track;
    LoaderState state;
    // A lone high surrogate, a lone low surrogate and an odd last byte.
    std::string bytes = Utf16(u"0:00:01,0=", false) + std::string(
                                                          "\x00\xD8"
                                                          "A\x00\x00\xDC"
                                                          "B",
                                                          7);
    LoadSubtitleBytes("a.txt", bytes, track, state, nullptr);
    ASSERT_EQ(track.Count, 1);
    EXPECT_EQ(track.Texts[0],
              "\xEF\xBF\xBD"
              "A\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(LoadSubtitleFile, KeepsEightBitTextsAndNamesTheirEncoding) {
    SubtitleTrack track;
    LoaderState state;
    std::string text =
        "Il \xE9tait une fois, dans un ch\xE2teau tr\xE8s \xE9loign\xE9, une f\xEAte d'\xE9t\xE9 "
        "o\xF9 l'on parlait fran\xE7"
        "ais.";
    LoadSubtitleBytes("a.psb", "{0:00:01}{0:00:02}" + text + "\n", track, state, nullptr);
    ASSERT_EQ(track.Count, 1);
    EXPECT_EQ(track.Texts[0], text + "\n");
    EXPECT_NE(track.Encoding, "UTF-8");
    EXPECT_FALSE(track.Encoding.empty());
}

struct CapacityCase {
    const char* name;
    const char* path;
    std::string (*record)(int i);
};

void PrintTo(const CapacityCase& c, std::ostream* os) {
    *os << c.name;
}

class CapacityTest : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(CapacityTest, StopsFillingAtTrackCapacity) {
    std::string content;
    for (int i = 0; i < 2 * TrackCapacity; ++i) content += GetParam().record(i);
    SubtitleTrack track;
    LoaderState state;
    LoadSubtitleBytes(GetParam().path, content, track, state, nullptr);
    EXPECT_EQ(track.Count, TrackCapacity);
    EXPECT_EQ(track.Cursor, 0);
    EXPECT_EQ(track.StartMs.size(), static_cast<size_t>(TrackCapacity));
    EXPECT_EQ(track.Texts.size(), static_cast<size_t>(TrackCapacity));
    EXPECT_FALSE(track.Texts[TrackCapacity - 1].empty());
}

std::string Text(int i) {
    return "T" + std::to_string(i) + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    EveryFillingPath, CapacityTest,
    ::testing::Values(
        CapacityCase{"SubRip", "a.srt",
                     [](int i) {
                         return std::to_string(i + 1) + "\n0:0:1,0 --> 0:0:2,0\n" + Text(i) + "\n";
                     }},
        // Every record ends the one before, so all entries come from one chain.
        CapacityCase{"TMPlayerChained", "a.txt", [](int i) { return "0:0:1,0=" + Text(i); }},
        CapacityCase{"WrappedSecondsChained", "a.sub",
                     [](int i) {
                         return i % 3 == 2 ? std::string("1 1.00\n") : "1 1.00 \\ ~:\\" + Text(i);
                     }},
        CapacityCase{"TimecodePairs", "a.sub",
                     [](int i) { return "0001  0:0:1:0  0:0:2:0  " + Text(i) + "\n"; }},
        CapacityCase{"MicroDvd", "a.sub", [](int i) { return "{1}{2}" + Text(i); }},
        CapacityCase{
            "SubStationAlpha", "a.ssa",
            [](int i) { return "Dialogue: 0,0:00:01.00,0:00:02.00,a,b,c,d,e,f," + Text(i); }},
        CapacityCase{"WebVtt", "a.vtt",
                     [](int i) {
                         return (i == 0 ? "WEBVTT\n\n" : "") + std::to_string(i) +
                                "\n00:01.000 --> 00:02.000\n" + Text(i) + "\n";
                     }},
        CapacityCase{"TMPlayerClassic", "a.txt", [](int i) { return "0:00:01:" + Text(i); }},
        CapacityCase{"Mpl2", "a.txt", [](int i) { return "[1][2]" + Text(i); }}));

}  // namespace
}  // namespace orvalen
