#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "subtitles/Parser.h"

namespace orvalen {
namespace {

struct Entry {
    int32_t start;
    int32_t end;
    std::string text;
    bool operator==(const Entry&) const = default;
};

void PrintTo(const Entry& e, std::ostream* os) {
    *os << "{" << e.start << ", " << e.end << ", \"" << e.text << "\"}";
}

struct LayoutCase {
    const char* name;
    const char* fileName;
    std::string content;
    SubtitleReaderId reader;
    std::vector<Entry> entries;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class NewLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(NewLayoutTest, ReadsEntries) {
    const LayoutCase& c = GetParam();
    SubtitleTrack track;
    LoaderState state;
    LoadReport report = LoadSubtitleBytes(c.fileName, c.content, track, state, nullptr);
    EXPECT_EQ(report.Reader, c.reader);
    std::vector<Entry> entries;
    for (int32_t i = 0; i < track.Count; ++i)
        entries.push_back({track.StartMs[i], track.EndMs[i], track.Texts[i]});
    EXPECT_EQ(entries, c.entries);
    EXPECT_EQ(track.Cursor, 0);
}

using R = SubtitleReaderId;

INSTANTIATE_TEST_SUITE_P(
    WebVtt, NewLayoutTest,
    ::testing::Values(
        LayoutCase{"Basic",
                   "a.vtt",
                   "WEBVTT\n\n00:01.000 --> 00:04.000\nHello\nWorld\n\n",
                   R::WebVtt,
                   {{1000, 4000, "Hello\nWorld\n"}}},
        LayoutCase{"IdsHoursSettingsAndHeader",
                   "a.VTT",
                   "WEBVTT - title\nKind: captions\n\nid 1\n"
                   "01:00:00.500 --> 01:00:01.000 align:start line:0\n<v Bob>Hi\n\n"
                   "100:00:00.000-->100:00:00.001\nLong\n",
                   R::WebVtt,
                   {{3600500, 3601000, "<v Bob>Hi\n"}, {360000000, 360000001, "Long\n"}}},
        LayoutCase{"NoteStyleRegionBlocksAreSkipped",
                   "a.vtt",
                   "WEBVTT\n\nNOTE one\n\nafter a blank line in the note\n\nSTYLE\n"
                   "::cue { color: red }\n\nREGION\nid:r\n\n00:00.000 --> 00:01.000\nA\n",
                   R::WebVtt,
                   {{0, 1000, "A\n"}}},
        LayoutCase{"BomCrLfAndLoneCr",
                   "a.vtt",
                   "\xEF\xBB\xBFWEBVTT\r\n\r\n00:00:01.000 --> 00:00:02.000\r\nX\r\n\r\r"
                   "00:03.000 --> 00:04.000\rY\r",
                   R::WebVtt,
                   {{1000, 2000, "X\n"}, {3000, 4000, "Y\n"}}},
        LayoutCase{"BadTimingsDropTheirCueOnly",
                   "a.vtt",
                   "WEBVTT\n\n00:01.000 -> 00:02.000\nA\n\n1:02.000 --> 1:03.000\nB\n\n"
                   "00:60.000 --> 01:00.000\nC\n\n00:03.00 --> 00:04.000\nD\n\n"
                   "00:05.000 --> 00:06.000\nE\n",
                   R::WebVtt,
                   {{5000, 6000, "E\n"}}},
        LayoutCase{"ArrowLineEndsTheCueBefore",
                   "a.vtt",
                   "WEBVTT\n00:01.000 --> 00:02.000\nA\n00:03.000 --> 00:04.000\n\nempty\n",
                   R::WebVtt,
                   {{1000, 2000, "A\n"}, {3000, 4000, ""}}},
        LayoutCase{
            "NoSignatureNoCue", "a.vtt", "WEBVTTX\n\n00:01.000 --> 00:02.000\nA\n", R::WebVtt, {}},
        LayoutCase{"SignatureAlone", "a.vtt", "WEBVTT", R::WebVtt, {}}));

INSTANTIATE_TEST_SUITE_P(
    Others, NewLayoutTest,
    ::testing::Values(
        LayoutCase{"AssBySsaRules",
                   "a.ass",
                   "[Script Info]\nScriptType: v4.00+\n\n[Events]\nFormat: Layer, Start, End, "
                   "Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
                   "Dialogue: 0,0:00:01.50,0:00:04.20,Default,,0,0,0,,{\\i1}Hi{\\i0}, you\\Nx\n",
                   R::AdvancedSubStationAlpha,
                   {{1500, 4200, "{\\i1}Hi{\\i0}, you\\Nx\n"}}},
        LayoutCase{"ClassicTMPlayer",
                   "a.txt",
                   "\n0:00:05:A|B\n0:00:07=B\n\n0:00:20:C\n0:00:21:\n-0:00:03:Neg\n",
                   R::TMPlayerClassic,
                   {{5000, 7000, "A|B\n"},
                    {7000, 12000, "B\n"},
                    {20000, 21000, "C\n"},
                    {-3000, 2000, "Neg\n"}}},
        LayoutCase{"ClassicTMPlayerStopsAtAnotherLine",
                   "a.txt",
                   "00:00:01:A\nxyz\n00:00:09:B\n",
                   R::TMPlayerClassic,
                   {{1000, 6000, "A\n"}}},
        LayoutCase{"Mpl2",
                   "a.txt",
                   "  \n[10][25]/It|Two\n\n[-5][0]N\nrubbish\n[30][40]X\n",
                   R::Mpl2,
                   {{1000, 2500, "/It|Two\n"}, {-500, 0, "N\n"}}},
        LayoutCase{"Mpl2WithoutClosingBracketIsNotMpl2", "a.txt", "[10][25\n", R::TMPlayer, {}},
        // The TMPlayer layout wins whenever the first record has it.
        LayoutCase{"TMPlayerLayoutKept",
                   "a.txt",
                   "0:00:05,0=[1][2]A\n0:00:06,0=\n",
                   R::TMPlayer,
                   {{5000, 6000, "[1][2]A\n"}}}));

}  // namespace
}  // namespace orvalen
