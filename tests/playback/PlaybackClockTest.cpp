#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "playback/FullScreenBand.h"
#include "playback/PlaybackClock.h"

namespace orvalen {
namespace {

struct Entry {
    int32_t start;
    int32_t end;
    std::string text;
};

SubtitleTrack MakeTrack(const std::vector<Entry>& entries) {
    SubtitleTrack track;
    for (const Entry& entry : entries) {
        track.StartMs[track.Count] = entry.start;
        track.EndMs[track.Count] = entry.end;
        track.Texts[track.Count] = entry.text;
        ++track.Count;
    }
    return track;
}

// One tick: the position, then what the clock must show and where the index must be after it.
struct Tick {
    int32_t pos;
    std::string shown;
    int32_t cursorAfter;
};

struct ClockCase {
    const char* name;
    std::vector<Entry> entries;
    int32_t delay;
    std::vector<Tick> ticks;
};

void PrintTo(const ClockCase& c, std::ostream* os) {
    *os << c.name;
}

class ClockTicks : public testing::TestWithParam<ClockCase> {};

TEST_P(ClockTicks, ShowAndAdvanceAsTheRulesSay) {
    const ClockCase& c = GetParam();
    SubtitleTrack track = MakeTrack(c.entries);
    for (const Tick& tick : c.ticks) {
        EXPECT_EQ(ChooseSubtitle(track, tick.pos, c.delay), tick.shown) << "at " << tick.pos;
        EXPECT_EQ(track.Cursor, tick.cursorAfter) << "at " << tick.pos;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ClockTicks,
    testing::Values(
        ClockCase{"StrictBoundsWithoutDelay",
                  {{1000, 3000, "A\n"}},
                  0,
                  {{999, "", 0},
                   {1000, "", 0},
                   {1001, "A\n", 0},
                   {2999, "A\n", 0},
                   {3000, "", 0},
                   {3001, "", 1},
                   {3050, "", 1},
                   {1500, "", 1}}},
        ClockCase{"DelayWidensBothEnds",
                  {{1000, 3000, "A\n"}},
                  500,
                  {{500, "", 0}, {501, "A\n", 0}, {3499, "A\n", 0}, {3500, "", 1}}},
        ClockCase{"NegativeDelayNarrowsButMovesOnAtTheEnd",
                  {{1000, 3000, "A\n"}},
                  -200,
                  {{1200, "", 0},
                   {1201, "A\n", 0},
                   {2799, "A\n", 0},
                   {2800, "", 0},
                   {3000, "", 0},
                   {3001, "", 1}}},
        ClockCase{
            "OverlapShowsTheNextOneTickLater",
            {{1000, 3000, "A\n"}, {2500, 4000, "B\n"}},
            0,
            {{2600, "A\n", 0}, {2999, "A\n", 0}, {3000, "", 0}, {3050, "", 1}, {3100, "B\n", 1}}},
        ClockCase{"WidenedWindowsOverlapping",
                  {{1000, 2000, "A\n"}, {2400, 3000, "B\n"}},
                  300,
                  {{2250, "A\n", 0}, {2300, "", 1}, {2350, "B\n", 1}}},
        ClockCase{"SubtitleShorterThanATickIsPassed",
                  {{1000, 1020, "short\n"}, {1100, 2000, "B\n"}},
                  0,
                  {{990, "", 0}, {1040, "", 1}, {1090, "", 1}, {1140, "B\n", 1}}},
        ClockCase{"RunOfPassedEntriesAtOnePerTick",
                  {{100, 200, "a"}, {300, 400, "b"}, {500, 600, "c"}, {700, 5000, "d"}},
                  0,
                  {{1000, "", 1}, {1050, "", 2}, {1100, "", 3}, {1150, "d", 3}}},
        ClockCase{"FailedPositionQueryWithoutDelay", {{0, 1000, "A"}}, 0, {{-1, "", 0}}},
        ClockCase{
            "FailedPositionQueryInsideTheWidenedWindow", {{0, 1000, "A"}}, 500, {{-1, "A", 0}}},
        ClockCase{"EmptyTrackShowsNothing", {}, 0, {{0, "", 0}, {5000, "", 0}}},
        ClockCase{"ExtremeTimesAndDelayDoNotOverflow",
                  {{INT32_MIN, INT32_MAX, "wide"}},
                  INT32_MAX,
                  {{0, "wide", 0}, {INT32_MAX, "wide", 0}, {INT32_MIN, "wide", 0}}},
        ClockCase{
            "ExtremeNegativeDelay", {{0, 1000, "A"}}, INT32_MIN, {{500, "", 0}, {1001, "", 1}}}),
    [](const testing::TestParamInfo<ClockCase>& info) { return info.param.name; });

TEST(ChooseSubtitle, NothingIsDueOnceTheIndexIsAtTheEnd) {
    SubtitleTrack track = MakeTrack({{1000, 3000, "A"}});
    track.Cursor = 1;
    EXPECT_EQ(ChooseSubtitle(track, 2000, 0), "");
    EXPECT_EQ(track.Cursor, 1);
}

// Resync cases: the track, where the index starts, the position, where it must end.
struct ResyncCase {
    const char* name;
    int32_t cursorBefore;
    int32_t pos;
    int32_t cursorAfter;
};

// Subtitles at 10, 20, ..., 100 seconds, each 2 seconds long.
SubtitleTrack TenSubtitles() {
    std::vector<Entry> entries;
    for (int k = 1; k <= 10; ++k)
        entries.push_back({k * 10000, k * 10000 + 2000, std::to_string(k)});
    return MakeTrack(entries);
}

void PrintTo(const ResyncCase& c, std::ostream* os) {
    *os << c.name;
}

class Resync : public testing::TestWithParam<ResyncCase> {};

TEST_P(Resync, WalksTheIndexToThePosition) {
    const ResyncCase& c = GetParam();
    SubtitleTrack track = TenSubtitles();
    track.Cursor = c.cursorBefore;
    ResyncIndex(track, c.pos);
    EXPECT_EQ(track.Cursor, c.cursorAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, Resync,
    testing::Values(ResyncCase{"AtTheStartStaysAtZero", 0, 0, 0},
                    ResyncCase{"ForwardToTheSubtitleStartedLast", 0, 45000, 3},
                    ResyncCase{"ForwardInsideASubtitle", 0, 71000, 6},
                    ResyncCase{"BackwardToTheSubtitleStartedLast", 9, 25000, 1},
                    ResyncCase{"BackwardBeforeTheFirst", 9, 5000, 0},
                    ResyncCase{"UpwardTieStopsOnTheEarlier", 0, 40000, 2},
                    ResyncCase{"DownwardTieStopsOnTheLater", 9, 40000, 3},
                    ResyncCase{"InsideTheLastSubtitle", 0, 101000, 9},
                    ResyncCase{"AtTheEndOfTheLastSubtitle", 0, 102000, 9},
                    ResyncCase{"PastEverySubtitleGoesToTheEnd", 0, 500000, 10},
                    ResyncCase{"StaysAtTheEndWhilePastEverySubtitle", 10, 300000, 10},
                    ResyncCase{"BackFromTheEndIntoTheLast", 10, 100500, 9},
                    ResyncCase{"BackFromTheEndToTheMiddle", 10, 60000, 5},
                    ResyncCase{"BackFromTheEndToTheStart", 10, 0, 0},
                    ResyncCase{"FailedPositionQuery", 6, -1, 0},
                    ResyncCase{"CursorBeyondTheTrackIsBroughtBack", 5000, 35000, 2},
                    ResyncCase{"NegativeCursorIsBroughtBack", -3, 35000, 2}),
    [](const testing::TestParamInfo<ResyncCase>& info) { return info.param.name; });

TEST(ResyncIndexTest, SeekBackFromTenMinutesToOneMinuteShowsTheSubtitleAgain) {
    std::vector<Entry> entries;
    for (int k = 0; k < 120; ++k) entries.push_back({k * 5000, k * 5000 + 3000, std::to_string(k)});
    SubtitleTrack track = MakeTrack(entries);
    track.Cursor = 120;  // ten minutes in: every subtitle is over
    ResyncIndex(track, 61000);
    EXPECT_EQ(track.Cursor, 12);
    EXPECT_EQ(ChooseSubtitle(track, 61000, 0), "12");
}

TEST(ResyncIndexTest, SubtitlesShowAgainAfterAJumpBackFromBeyondTheLast) {
    SubtitleTrack track = MakeTrack({{1000, 3000, "A"}, {5000, 7000, "B"}});
    for (int32_t pos = 0; pos <= 9000; pos += 50) ChooseSubtitle(track, pos, 0);
    ASSERT_EQ(track.Cursor, 2);
    ResyncIndex(track, 1500);
    EXPECT_EQ(ChooseSubtitle(track, 1500, 0), "A");
    ResyncIndex(track, 6000);
    EXPECT_EQ(ChooseSubtitle(track, 6000, 0), "B");
}

TEST(ResyncIndexTest, NeverLooksAtTheSparesBeyondCount) {
    // Whatever the spare slots hold, the walk decides the same.
    SubtitleTrack plain = TenSubtitles();
    SubtitleTrack dirty = TenSubtitles();
    dirty.StartMs[10] = 0;
    dirty.StartMs[11] = INT32_MAX;
    dirty.EndMs[10] = INT32_MIN;
    for (const int32_t pos : {-1, 0, 50000, 101000, 103000, INT32_MAX}) {
        for (const int32_t from : {0, 5, 9, 10}) {
            plain.Cursor = from;
            dirty.Cursor = from;
            ResyncIndex(plain, pos);
            ResyncIndex(dirty, pos);
            EXPECT_EQ(plain.Cursor, dirty.Cursor) << "pos " << pos << " from " << from;
        }
    }
}

TEST(ResyncIndexTest, AFullTrackReachesItsEnd) {
    SubtitleTrack track;
    for (int32_t k = 0; k < TrackCapacity; ++k) {
        track.StartMs[k] = k * 10;
        track.EndMs[k] = k * 10 + 5;
    }
    track.Count = TrackCapacity;
    ResyncIndex(track, INT32_MAX);
    EXPECT_EQ(track.Cursor, TrackCapacity);
    ResyncIndex(track, 55);
    EXPECT_EQ(track.Cursor, 5);
}

TEST(ResyncIndexTest, EmptyTrackKeepsTheIndexAtZero) {
    SubtitleTrack track;
    track.Cursor = 3;
    ResyncIndex(track, 1000);
    EXPECT_EQ(track.Cursor, 0);
}

TEST(ResyncIndexTest, SingleSubtitle) {
    SubtitleTrack track = MakeTrack({{1000, 3000, "A"}});
    ResyncIndex(track, 2000);
    EXPECT_EQ(track.Cursor, 0);
    ResyncIndex(track, 4000);
    EXPECT_EQ(track.Cursor, 1);
    ResyncIndex(track, 2000);
    EXPECT_EQ(track.Cursor, 0);
}

TEST(FullScreenBandTest, SitsNearTheBottomOfTheScreen) {
    EXPECT_EQ(FullScreenBand(1024, 768), (ScreenRect{0, 678, 1024, 754}));
    EXPECT_EQ(FullScreenBand(1280, 1024), (ScreenRect{0, 934, 1280, 1010}));
}

}  // namespace
}  // namespace orvalen
