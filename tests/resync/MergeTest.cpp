#include "resync/Merge.h"

#include <gtest/gtest.h>

#include <limits>

#include "TrackBuilder.h"

namespace orvalen {
namespace {

using testing_support::MakeNumberedTrack;
using testing_support::MakeTrack;
using testing_support::TimedText;

void ExpectEntries(const SubtitleTrack& track, int32_t from,
                   std::initializer_list<TimedText> expected) {
    int32_t i = from;
    for (const TimedText& entry : expected) {
        EXPECT_EQ(track.StartMs[i], entry.Start) << "entry " << i;
        EXPECT_EQ(track.EndMs[i], entry.End) << "entry " << i;
        EXPECT_EQ(track.Texts[i], entry.Text) << "entry " << i;
        ++i;
    }
}

TEST(AppendMergeTrack, AnchorsTheFirstEntryAndKeepsTheSpacing) {
    SubtitleTrack track =
        MakeTrack({{1000, 2000, "a\n"}, {2500, 3000, "b\n"}, {4000, 5000, "c\n"}});
    SubtitleTrack second = MakeTrack({{2000, 3000, "X\n"}, {4000, 6000, "Y\n"}});
    MergeOutcome outcome = AppendMergeTrack(track, second, 5300);
    EXPECT_EQ(outcome.Appended, 2);
    EXPECT_EQ(outcome.Dropped, 0);
    EXPECT_EQ(MergeStatusText(outcome), "");
    EXPECT_EQ(track.Count, 5);
    EXPECT_EQ(track.Cursor, 3);
    ExpectEntries(track, 2, {{4000, 5000, "c\n"}, {5300, 6300, "X\n"}, {7300, 9300, "Y\n"}});
    EXPECT_EQ(second.Count, 2);
}

TEST(MergeStartPosition, IsTheEndOfTheLastEntryInTrackOrder) {
    EXPECT_EQ(MergeStartPosition(MakeTrack({{1000, 9000, "a"}, {2500, 5000, "b"}})), 5000);
    EXPECT_EQ(MergeStartPosition(SubtitleTrack()), 0);
}

TEST(AppendMergeTrack, KeepsTheSecondFilesOrder) {
    SubtitleTrack track = MakeNumberedTrack(1);
    SubtitleTrack second = MakeTrack({{10000, 11000, "p"}, {8000, 9000, "q"}});
    AppendMergeTrack(track, second, 60000);
    ExpectEntries(track, 1, {{60000, 61000, "p"}, {58000, 59000, "q"}});
}

TEST(AppendMergeTrack, WithAnEmptySecondTrackOnlyMovesTheCursor) {
    SubtitleTrack track = MakeNumberedTrack(4);
    SubtitleTrack second;
    MergeOutcome outcome = AppendMergeTrack(track, second, 1234);
    EXPECT_EQ(outcome.Appended, 0);
    EXPECT_EQ(outcome.Dropped, 0);
    EXPECT_EQ(track.Count, 4);
    EXPECT_EQ(track.Cursor, 4);
}

TEST(AppendMergeTrack, PlacesAnUnknownPositionAtMinusOne) {
    SubtitleTrack track;
    SubtitleTrack second = MakeTrack({{500, 900, "p"}, {1500, 1600, "q"}});
    AppendMergeTrack(track, second, -1);
    ExpectEntries(track, 0, {{-1, 399, "p"}, {999, 1099, "q"}});
    EXPECT_EQ(track.Cursor, 0);
}

TEST(AppendMergeTrack, WrapsInThirtyTwoBits) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    SubtitleTrack track;
    SubtitleTrack second = MakeTrack({{kMin, kMin, "p"}, {kMax, kMax, "q"}});
    AppendMergeTrack(track, second, 10);
    ExpectEntries(track, 0, {{10, 10, "p"}, {9, 9, "q"}});
}

TEST(AppendMergeTrack, StopsAtTheCapacityAndCountsWhatWasLeft) {
    struct Case {
        int32_t Count;
        int32_t Appended;
        int32_t Dropped;
    };
    SubtitleTrack second = MakeNumberedTrack(5);
    for (const Case& c : {Case{TrackCapacity - 5, 5, 0}, Case{TrackCapacity - 2, 2, 3},
                          Case{TrackCapacity, 0, 5}}) {
        SubtitleTrack track = MakeNumberedTrack(c.Count);
        MergeOutcome outcome = AppendMergeTrack(track, second, 0);
        EXPECT_EQ(outcome.Appended, c.Appended);
        EXPECT_EQ(outcome.Dropped, c.Dropped);
        EXPECT_EQ(track.Count, c.Count + c.Appended);
        EXPECT_EQ(track.Cursor, c.Count);
        EXPECT_LE(track.Count, TrackCapacity);
    }
    EXPECT_EQ(MergeStatusText({2, 3}),
              "3 subtitles not merged: a track holds at most 10000 subtitles");
}

}  // namespace
}  // namespace orvalen
