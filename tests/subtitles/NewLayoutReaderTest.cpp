#include <gtest/gtest.h>

#include "subtitles/Parser.h"
#include "tests/subtitles/ReaderCases.h"

// The readers added for today's files (WebVTT, Advanced SSA, classic TMPlayer, MPL2), as more
// rows of the reader table.
namespace orvalen::testing {

using R = SubtitleReaderId;

INSTANTIATE_TEST_SUITE_P(
    WebVtt, ReaderTest,
    ::testing::Values(
        ReaderCase{"Basic",
                   "a.vtt",
                   "WEBVTT\n\n00:01.000 --> 00:04.000\nHello\nWorld\n\n",
                   0,
                   R::WebVtt,
                   {{1000, 4000, "Hello\nWorld\n"}}},
        ReaderCase{"IdsHoursSettingsAndHeader",
                   "a.VTT",
                   "WEBVTT - title\nKind: captions\n\nid 1\n"
                   "01:00:00.500 --> 01:00:01.000 align:start line:0\n<v Bob>Hi\n\n"
                   "100:00:00.000-->100:00:00.001\nLong\n",
                   0,
                   R::WebVtt,
                   {{3600500, 3601000, "<v Bob>Hi\n"}, {360000000, 360000001, "Long\n"}}},
        ReaderCase{"NoteStyleRegionBlocksAreSkipped",
                   "a.vtt",
                   "WEBVTT\n\nNOTE one\n\nafter a blank line in the note\n\nSTYLE\n"
                   "::cue { color: red }\n\nREGION\nid:r\n\n00:00.000 --> 00:01.000\nA\n",
                   0,
                   R::WebVtt,
                   {{0, 1000, "A\n"}}},
        ReaderCase{"BomCrLfAndLoneCr",
                   "a.vtt",
                   "\xEF\xBB\xBFWEBVTT\r\n\r\n00:00:01.000 --> 00:00:02.000\r\nX\r\n\r\r"
                   "00:03.000 --> 00:04.000\rY\r",
                   0,
                   R::WebVtt,
                   {{1000, 2000, "X\n"}, {3000, 4000, "Y\n"}}},
        ReaderCase{"BadTimingsDropTheirCueOnly",
                   "a.vtt",
                   "WEBVTT\n\n00:01.000 -> 00:02.000\nA\n\n1:02.000 --> 1:03.000\nB\n\n"
                   "00:60.000 --> 01:00.000\nC\n\n00:03.00 --> 00:04.000\nD\n\n"
                   "00:05.000 --> 00:06.000\nE\n",
                   0,
                   R::WebVtt,
                   {{5000, 6000, "E\n"}}},
        ReaderCase{"ArrowLineEndsTheCueBefore",
                   "a.vtt",
                   "WEBVTT\n00:01.000 --> 00:02.000\nA\n00:03.000 --> 00:04.000\n\nempty\n",
                   0,
                   R::WebVtt,
                   {{1000, 2000, "A\n"}, {3000, 4000, ""}}},
        ReaderCase{"NoSignatureNoCue",
                   "a.vtt",
                   "WEBVTTX\n\n00:01.000 --> 00:02.000\nA\n",
                   0,
                   R::WebVtt,
                   {}},
        ReaderCase{"NulBecomesReplacementCharacter",
                   "a.vtt",
                   std::string("WEBVTT\n\n00:01.000 --> 00:02.000\nA\0B\n", 36),
                   0,
                   R::WebVtt,
                   {{1000, 2000,
                     "A\xEF\xBF\xBD"
                     "B\n"}}},
        ReaderCase{"SignatureAlone", "a.vtt", "WEBVTT", 0, R::WebVtt, {}}));

INSTANTIATE_TEST_SUITE_P(
    Others, ReaderTest,
    ::testing::Values(
        ReaderCase{"AssBySsaRules",
                   "a.ass",
                   "[Script Info]\nScriptType: v4.00+\n\n[Events]\nFormat: Layer, Start, End, "
                   "Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
                   "Dialogue: 0,0:00:01.50,0:00:04.20,Default,,0,0,0,,{\\i1}Hi{\\i0}, you\\Nx\n",
                   0,
                   R::AdvancedSubStationAlpha,
                   {{1500, 4200, "{\\i1}Hi{\\i0}, you\\Nx\n"}}},
        ReaderCase{"ClassicTMPlayer",
                   "a.txt",
                   "\n0:00:05:A|B\n0:00:07=B\n\n0:00:20:C\n0:00:21:\n-0:00:03:Neg\n",
                   0,
                   R::TMPlayerClassic,
                   {{5000, 7000, "A|B\n"},
                    {7000, 12000, "B\n"},
                    {20000, 21000, "C\n"},
                    {-3000, 2000, "Neg\n"}}},
        ReaderCase{"ClassicTMPlayerStopsAtAnotherLine",
                   "a.txt",
                   "00:00:01:A\nxyz\n00:00:09:B\n",
                   0,
                   R::TMPlayerClassic,
                   {{1000, 6000, "A\n"}}},
        ReaderCase{"Mpl2",
                   "a.txt",
                   "  \n[10][25]/It|Two\n\n[-5][0]N\nrubbish\n[30][40]X\n",
                   0,
                   R::Mpl2,
                   {{1000, 2500, "/It|Two\n"}, {-500, 0, "N\n"}}},
        ReaderCase{"LongLinesAreReadWhole",
                   "a.txt",
                   "[1][2]" + std::string(3000, 'a') + "\n[3][4]B\n",
                   0,
                   R::Mpl2,
                   {{100, 200, std::string(3000, 'a') + "\n"}, {300, 400, "B\n"}}},
        ReaderCase{"LongClassicLinesAreReadWhole",
                   "a.txt",
                   "0:00:01:" + std::string(2000, 'a') + "\n0:00:02:B\n",
                   0,
                   R::TMPlayerClassic,
                   {{1000, 2000, std::string(2000, 'a') + "\n"}, {2000, 7000, "B\n"}}},
        ReaderCase{"Mpl2WithoutClosingBracketIsNotMpl2", "a.txt", "[10][25\n", 0, R::TMPlayer, {}},
        // The TMPlayer layout wins whenever the first record has it.
        ReaderCase{"TMPlayerLayoutKept",
                   "a.txt",
                   "0:00:05,0=[1][2]A\n0:00:06,0=\n",
                   0,
                   R::TMPlayer,
                   {{5000, 6000, "[1][2]A\n"}}}));

}  // namespace orvalen::testing
