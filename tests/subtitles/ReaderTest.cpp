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
    *os << "{" << e.start << ", " << e.end << ", \"";
    for (char c : e.text) {
        if (c == '\n')
            *os << "\\n";
        else if (c == '\r')
            *os << "\\r";
        else
            *os << c;
    }
    *os << "\"}";
}

struct ReaderCase {
    const char* name;
    const char* fileName;
    std::string content;
    int32_t frameRate;
    SubtitleReaderId reader;
    std::vector<Entry> entries;
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderTest, ReadsEntries) {
    const ReaderCase& c = GetParam();
    SubtitleTrack track;
    LoaderState state;
    state.FrameRate = c.frameRate;
    LoadReport report = LoadSubtitleBytes(c.fileName, c.content, track, state, nullptr);
    EXPECT_EQ(report.Reader, c.reader);
    std::vector<Entry> entries;
    for (int32_t i = 0; i < track.Count; ++i) {
        entries.push_back({track.StartMs[i], track.EndMs[i], track.Texts[i]});
    }
    EXPECT_EQ(entries, c.entries);
    EXPECT_EQ(track.Cursor, 0);
    EXPECT_EQ(track.StartMs[track.Count], 0);
    EXPECT_EQ(track.EndMs[track.Count], 0);
    EXPECT_EQ(track.Texts[track.Count], "");
}

using R = SubtitleReaderId;

INSTANTIATE_TEST_SUITE_P(
    FrameNumbered, ReaderTest,
    ::testing::Values(ReaderCase{"MicroDvdAt25",
                                 "a.sub",
                                 "{25}{50}Hello\n",
                                 25000,
                                 R::MicroDvd,
                                 {{1000, 2000, "Hello\n"}}},
                      ReaderCase{"MicroDvdOnlyFirstBarBreaks",
                                 "a.sub",
                                 "{10}{20}A|B|C\n",
                                 25000,
                                 R::MicroDvd,
                                 {{400, 800, "A\rB|C\n"}}},
                      ReaderCase{"MicroDvdDividesByTheExactRate",
                                 "a.sub",
                                 "{24}{47}X\n{22}{22}Y\n{55}{70}Z\n",
                                 23976,
                                 R::MicroDvd,
                                 {{1001, 1960, "X\n"}, {917, 917, "Y\n"}, {2293, 2919, "Z\n"}}},
                      ReaderCase{"MicroDvdStopsAtLineStartingWithSpace",
                                 "a.sub",
                                 "{25}{50}a\n {75}{100}b\n",
                                 25000,
                                 R::MicroDvd,
                                 {{1000, 2000, "a\n"}}},
                      ReaderCase{"MicroDvdRecordWithoutTextAtEnd",
                                 "a.sub",
                                 "{25}{50}",
                                 25000,
                                 R::MicroDvd,
                                 {{1000, 2000, ""}}},
                      ReaderCase{"MicroDvdLongTextIsCutAndEndsReading",
                                 "a.sub",
                                 "{25}{50}" + std::string(300, 'x') + "\n{75}{100}b\n",
                                 25000,
                                 R::MicroDvd,
                                 {{1000, 2000, std::string(254, 'x')}}},
                      ReaderCase{"MicroDvdBelowOneFramePerSecond",
                                 "a.sub",
                                 "{3}{5}a\n",
                                 500,
                                 R::MicroDvd,
                                 {{6000, 10000, "a\n"}}},
                      ReaderCase{"MPlayerBarBecomesLf",
                                 "a.mpl",
                                 "100,250,0,Hi|there\n",
                                 25000,
                                 R::MPlayer,
                                 {{4000, 10000, "Hi\nthere\n"}}},
                      ReaderCase{"MPlayerSkipsBlankLines",
                                 "a.MPL",
                                 "1,2,0,a\n\n\n25,50,9,b\n",
                                 25000,
                                 R::MPlayer,
                                 {{40, 80, "a\n"}, {1000, 2000, "b\n"}}},
                      ReaderCase{"MacSubOneOrTwoLines",
                                 "a.scr",
                                 "/25\nOne\nTwo\n/50\n/75\nThree\n/100\n",
                                 25000,
                                 R::MacSub,
                                 {{1000, 2000, "One\nTwo\n"}, {3000, 4000, "Three\n"}}},
                      ReaderCase{"MacSubStartMarkerLastInFile",
                                 "a.scr",
                                 "/25\nA\n/50\n/75\n",
                                 25000,
                                 R::MacSub,
                                 {{1000, 2000, "A\n"}}},
                      ReaderCase{"MacSubThirdLineIsTakenAsEndMarker",
                                 "a.scr",
                                 "/25\nA\n/50\n/75\nB\nC\nx\n/125\n",
                                 25000,
                                 R::MacSub,
                                 {{1000, 2000, "A\n"}, {3000, 2000, "B\nC\n"}}}));

INSTANTIATE_TEST_SUITE_P(
    SubVariants, ReaderTest,
    ::testing::Values(
        ReaderCase{"BraceBlocks",
                   "a.sub",
                   "{T 00:00:01:50\nHi\n}\n{T 00:00:03:00\n\n}\n",
                   0,
                   R::BraceBlocks,
                   {{1500, 3000, "Hi\n"}}},
        ReaderCase{"BraceBlocksAfterHeader",
                   "a.sub",
                   "{HEAD}\nstuff\n{T 00:00:01:00\nA\n\nB\n}\n{T 00:00:02:00\n\n}\n"
                   "{T 00:00:03:00\nC\n}\n{T 00:00:04:00\n\n}\n",
                   0,
                   R::BraceBlocks,
                   {{1000, 2000, "A\n\nB\n"}, {3000, 4000, "C\n"}}},
        ReaderCase{
            "BraceBlocksHeaderReachingEnd", "a.sub", "{nothing}\nabc\n", 0, R::BraceBlocks, {}},
        ReaderCase{"SubViewer1",
                   "a.sub",
                   "[TITLE]\nx\n[BEGIN]\n******\n[00:01:05]\nA|B\n[00:01:09]\n",
                   0,
                   R::SubViewer1,
                   {{65000, 69000, "A\rB\n"}}},
        ReaderCase{"SubViewer1DropsBlankLinesAndLeadingSpace",
                   "a.sub",
                   "[tItLe]\n[BEGIN]\nskip\n[00:00:01]\n   Hi\n[00:00:02]\n\n\n[00:00:03]\nYo\n"
                   "[00:00:04]\n",
                   0,
                   R::SubViewer1,
                   {{1000, 2000, "Hi\n"}, {3000, 4000, "Yo\n"}}},
        ReaderCase{"SubViewer1BeginIsUpperCase",
                   "a.sub",
                   "[TITLE]\n[begin]\nx\n[00:00:01]\nA\n[00:00:02]\n",
                   0,
                   R::SubViewer1,
                   {}},
        ReaderCase{"SubViewer2",
                   "a.sub",
                   "[information]\n[SUBTITLE]\n[COLF]&HFFFFFF\n00:00:41.00,00:00:44.40\n"
                   "Hello[br]World\n\n00:00:45.00,00:00:46.00\nA[BR]B[br]C\n",
                   0,
                   R::SubViewer2,
                   {{41000, 44400, "Hello   \nWorld\n"}, {45000, 46000, "A[BR]B   \nC\n"}}},
        ReaderCase{"SubViewer2HeaderReachingEnd",
                   "a.sub",
                   "[INFORMATION]\n00:00:01.00\n",
                   0,
                   R::SubViewer2,
                   {}},
        ReaderCase{"WrappedSecondsWrapAt256",
                   "a.sub",
                   "1 250.00 \\ ~:\\A\n1 252.00\n2 255.00 \\ ~:\\B\n2 255.50\n"
                   "3 3.00 \\ ~:\\C\n3 4.00\n",
                   0,
                   R::WrappedSeconds,
                   {{250000, 252000, "A\n"}, {255000, 255500, "B\n"}, {259000, 260000, "C\n"}}},
        ReaderCase{"WrappedSecondsTimedLineEndsThePreviousEarly",
                   "a.sub",
                   "1 10.00 \\ ~:\\A\n2 12.00 \\ ~:\\B\n2 13.00\n",
                   0,
                   R::WrappedSeconds,
                   {{10000, 11500, "A\n"}, {12000, 13000, "B\n"}}},
        ReaderCase{"WrappedSecondsSecondLineWithoutMarker",
                   "a.sub",
                   "1 10.00 \\ ~:\\A\nzz\n",
                   0,
                   R::WrappedSeconds,
                   {{10000, 9500, "A\n"}, {10000, 10000, ""}}},
        ReaderCase{"TimecodePairs",
                   "a.sub",
                   "0001  00:00:01:50  00:00:03:00  Hi\nthere\n\n0002  00:00:04:00  "
                   "00:00:05:00  Yo\n",
                   0,
                   R::TimecodePairs,
                   {{1500, 3000, "Hi\nthere\n"}, {4000, 5000, "Yo\n"}}},
        ReaderCase{"TimecodePairsStoreEvenWhenTheTimeFails",
                   "a.sub",
                   "[SUBTITLE]\n",
                   0,
                   R::TimecodePairs,
                   {{0, 0, "TLE]\n"}}},
        ReaderCase{"EmptySubFile", "a.sub", "", 0, R::TimecodePairs, {}}));

INSTANTIATE_TEST_SUITE_P(
    OtherTimed, ReaderTest,
    ::testing::Values(
        ReaderCase{"SubRip",
                   "a.srt",
                   "1\n00:00:01,500 --> 00:00:04,000\nHello\nWorld\n\n",
                   0,
                   R::SubRip,
                   {{1500, 4000, "Hello\nWorld\n"}}},
        ReaderCase{"SubRipMillisecondsAsWritten",
                   "a.srt",
                   "1\r\n00:00:01,5 --> 00:00:02,0\r\nX\r\n",
                   0,
                   R::SubRip,
                   {{1005, 2000, "X\n"}}},
        ReaderCase{"SubRipRepeatedLinesAreKept",
                   "a.srt",
                   "1\n0:0:1,0 --> 0:0:2,0\nNo!\nNo!\n\n2\n0:0:3,0 --> 0:0:4,0\nNo!\n\n",
                   0,
                   R::SubRip,
                   {{1000, 2000, "No!\nNo!\n"}, {3000, 4000, "No!\n"}}},
        ReaderCase{"SubRipEmptyTextEndsTheCue",
                   "a.srt",
                   "1\n0:0:1,0 --> 0:0:2,0\n\n2\n0:0:3,0 --> 0:0:4,0 \r\n \t\r\n\n3\n"
                   "0:0:5,0 --> 0:0:6,0\nC\n",
                   0,
                   R::SubRip,
                   {{1000, 2000, ""}, {3000, 4000, ""}, {5000, 6000, "C\n"}}},
        ReaderCase{"SubRipFirstTextLineLosesLeadingBlanksOnly",
                   "a.srt",
                   "1\n0:0:1,0 --> 0:0:2,0\n\t  B\n  b\n",
                   0,
                   R::SubRip,
                   {{1000, 2000, "B\n  b\n"}}},
        ReaderCase{"SubRipTimesKeepPreviousValuesWhenUnreadable",
                   "a.srt",
                   "1\n0:0:1,250 --> 0:0:2,500\nA\n\n2\nnone\n\n",
                   0,
                   R::SubRip,
                   {{1250, 2500, "A\n"}, {1250, 2500, "none\n"}}},
        ReaderCase{"SubStationAlpha",
                   "a.ssa",
                   "[Script Info]\nTitle: x\n\n[Events]\nFormat: Marked, Start, End\n"
                   "Dialogue: Marked=0,0:00:01.50,0:00:04.20,Default,NTP,0000,0000,0000,"
                   "!Effect,Hi/nthere\n"
                   "Comment: skipped\n"
                   "dialogue: 0,0:00:05.00,0:00:06.00,a,b,c,d,e,f,Back\\Nslash/n/n\n",
                   0,
                   R::SubStationAlpha,
                   {{1500, 4200, "Hi \nthere\n"}, {5000, 6000, "Back\\Nslash \n/n\n"}}},
        ReaderCase{"SubStationAlphaRepeatedLineEnds",
                   "a.ssa",
                   "Dialogue: 0,0:00:01.00,0:00:02.00,a,b,c,d,e,f,A\n"
                   "Dialogue: 0,0:00:01.00,0:00:02.00,a,b,c,d,e,f,A\n"
                   "Dialogue: 0,0:00:03.00,0:00:04.00,a,b,c,d,e,f,B\n",
                   0,
                   R::SubStationAlpha,
                   {{1000, 2000, "A\n"}}},
        ReaderCase{"SubStationAlphaFewCommasGiveEmptyText",
                   "a.ssa",
                   "Dialogue: 0,0:00:01.00,0:00:02.00,x\n",
                   0,
                   R::SubStationAlpha,
                   {{1000, 2000, ""}}},
        ReaderCase{"SubStationAlphaLongFirstLine",
                   "a.ssa",
                   "Dialogue: 0,0:00:01.00,0:00:02.00,a,b,c,d,e,f," + std::string(600, 'y') + "\n",
                   0,
                   R::SubStationAlpha,
                   {{1000, 2000, std::string(600, 'y') + "\n"}}},
        ReaderCase{"PowerDivX",
                   "a.psb",
                   "{0:01:05}{0:01:09}A|B\n\n{0:02:00}{0:02:01}C\n",
                   0,
                   R::PowerDivX,
                   {{65000, 69000, "A\rB\n"}}},
        ReaderCase{"TMPlayer",
                   "a.txt",
                   "0:00:05,0=A\n0:00:07,5=B\n0:00:09,0=\n",
                   0,
                   R::TMPlayer,
                   {{5000, 7000, "A\n"}, {7500, 9000, "B\n"}}},
        ReaderCase{"TMPlayerLastWithoutClearEndsAtItsStart",
                   "a.txt",
                   "0:00:05,0=A|B|C\n",
                   0,
                   R::TMPlayer,
                   {{5000, 5000, "A\nB|C\n"}}},
        ReaderCase{"TMPlayerRepeatedTextEndsAtItsTime",
                   "a.txt",
                   "0:00:01,0=A\n0:00:02,0=B\n0:00:03,0=B\n0:00:04,0=\n",
                   0,
                   R::TMPlayer,
                   {{1000, 1500, "A\n"}, {2000, 3000, "B\n"}, {4000, 4000, "\n"}}},
        ReaderCase{"Dks",
                   "a.dks",
                   "[00:00:10]Hi[br]there\n[00:00:13]\n",
                   0,
                   R::Dks,
                   {{10000, 13000, "Hi   \nthere\n"}}},
        ReaderCase{"ViplaySkipsFirstLine",
                   "a.vsf",
                   "0:00:00,100-0:00:00,200=skipped\n0:00:01,500-0:00:03,250=A|B\n",
                   0,
                   R::Viplay,
                   {{1500, 3250, "A\nB\n"}}}));

}  // namespace
}  // namespace orvalen
