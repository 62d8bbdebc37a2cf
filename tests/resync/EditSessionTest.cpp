#include "resync/EditSession.h"

#include <gtest/gtest.h>

#include "TemporaryDirectory.h"
#include "TrackBuilder.h"
#include "playback/PlaybackClock.h"
#include "resync/Save.h"

namespace orvalen {
namespace {

using testing_support::MakeNumberedTrack;
using testing_support::MakeTrack;
using testing_support::TemporaryDirectory;

// Entries 1 to 4 start at 10, 20, 30 and 40 s: the references of the 1.04 example.
SubtitleTrack ExampleTrack() {
    return MakeTrack({{5000, 6000, "a\n"},
                      {10000, 12000, "b\n"},
                      {20000, 21500, "c\n"},
                      {30000, 31000, "d\n"},
                      {40000, 41000, "e\n"}});
}

TEST(EditSession, RefusesToStartWithoutAFilmAKnownFileOrFourSubtitles) {
    struct Case {
        bool MovieOpen;
        bool FormatUnknown;
        int32_t Count;
        std::string Refusal;
    };
    const std::string needFilm = kResyncRefusalText;
    for (const Case& c :
         {Case{false, false, 10, needFilm}, Case{true, true, 10, needFilm},
          Case{true, false, 3,
               "A resynchronisation needs four reference subtitles; the subtitle file holds 3."},
          Case{true, false, 4, ""}}) {
        EXPECT_EQ(
            EditSession::ResyncRefusal(c.MovieOpen, c.FormatUnknown, MakeNumberedTrack(c.Count)),
            c.Refusal);
    }
}

TEST(EditSession, FourPressesRewriteTheTrackAndAFifthDoesNothing) {
    SubtitleTrack track = ExampleTrack();
    const SubtitleTrack noMerge;
    EditSession session;
    EditStep step = session.StartResync(track, {1, 2, 3, 4});
    EXPECT_TRUE(step.Done);
    EXPECT_EQ(step.Status, "b\n");

    const char* next[] = {"c\n", "d\n", "e\n"};
    const int32_t marks[] = {11000, 21400, 31800, 42200};
    for (int press = 0; press < 3; ++press) {
        step = session.PressSpace(marks[press], track, noMerge, ",");
        EXPECT_EQ(step.Status, next[press]);
        EXPECT_FALSE(step.TrackChanged);
    }
    step = session.PressSpace(marks[3], track, noMerge, ",");
    EXPECT_TRUE(step.TrackChanged);
    EXPECT_EQ(step.Status, "Dilatation = 1,04   Shift = -599");
    EXPECT_EQ(step.Message, "");
    EXPECT_EQ(track.StartMs[1], 10999);
    EXPECT_EQ(track.EndMs[1], 13079);
    EXPECT_EQ(track.StartMs[2], 21399);
    EXPECT_EQ(track.EndMs[2], 22959);
    EXPECT_FALSE(session.ResyncActive());

    step = session.PressSpace(50000, track, noMerge, ",");
    EXPECT_FALSE(step.Done);
    EXPECT_FALSE(step.Status.has_value());
    EXPECT_EQ(track.StartMs[1], 10999);
}

TEST(EditSession, RefusesReferencesThatStartTogetherInABox) {
    SubtitleTrack track =
        MakeTrack({{1000, 2000, "a"}, {5000, 6000, "b"}, {5000, 7000, "c"}, {9000, 9500, "d"}});
    EditSession session;
    const EditStep step = session.StartResync(track, {0, 1, 2, 3});
    EXPECT_EQ(step.Message,
              "Resynchronisation impossible: subtitles 1 and 2 start at the same time");
    EXPECT_FALSE(step.Status.has_value());
    EXPECT_FALSE(session.ResyncActive());
}

MergeLoad Loaded() {
    MergeLoad load;
    load.Report.Opened = true;
    load.Report.Reader = SubtitleReaderId::SubRip;
    return load;
}

TEST(EditSession, MergeWaitsAtTheEndOfTheTrackAndTheAnchorPressAppends) {
    SubtitleTrack track =
        MakeTrack({{1000, 2000, "a\n"}, {2500, 3000, "b\n"}, {4000, 5000, "c\n"}});
    const SubtitleTrack second = MakeTrack({{2000, 3000, "X\n"}, {4000, 6000, "Y\n"}});
    EditSession session;
    EXPECT_FALSE(session.MergeNeedsConfirmation());
    EditStep step = session.BeginMerge(Loaded(), track, second);
    EXPECT_EQ(step.SeekTo, 5000);
    EXPECT_EQ(step.Status, "X\n");
    EXPECT_TRUE(session.MergeActive());

    step = session.PressSpace(5300, track, second, ".");
    EXPECT_TRUE(step.TrackChanged);
    EXPECT_EQ(step.Status, "");
    EXPECT_EQ(track.Count, 5);
    EXPECT_EQ(track.Cursor, 3);
    EXPECT_EQ(track.StartMs[3], 5300);
    EXPECT_EQ(track.EndMs[3], 6300);
    EXPECT_EQ(track.StartMs[4], 7300);
    EXPECT_EQ(track.EndMs[4], 9300);
    EXPECT_FALSE(session.PressSpace(9000, track, second, ".").Done);
    EXPECT_EQ(track.Count, 5);

    // An empty track is continued from the film's start.
    EXPECT_EQ(session.BeginMerge(Loaded(), SubtitleTrack(), second).SeekTo, 0);
}

TEST(EditSession, AWaitingResynchronisationTakesThePressesBeforeTheMerge) {
    SubtitleTrack track = ExampleTrack();
    const SubtitleTrack second = MakeTrack({{0, 1000, "X"}});
    EditSession session;
    session.BeginMerge(Loaded(), track, second);
    session.StartResync(track, {1, 2, 3, 4});
    EXPECT_TRUE(session.MergeNeedsConfirmation());
    for (int32_t mark : {11000, 21400, 31800, 42200}) session.PressSpace(mark, track, second, ".");
    EXPECT_EQ(track.Count, 5);
    EXPECT_TRUE(session.MergeActive());
    session.PressSpace(60000, track, second, ".");
    EXPECT_EQ(track.Count, 6);
    EXPECT_EQ(track.StartMs[5], 60000);
}

TEST(EditSession, ARefusedSecondFileLeavesEverythingAsItWas) {
    SubtitleTrack track = MakeNumberedTrack(3);
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.Valid());
    struct Case {
        std::string Path;
        bool FormatUnknownBefore;
    };
    for (const Case& c :
         {Case{dir.Write("second.jss", "1\n"), false}, Case{dir.File("missing.srt"), true}}) {
        SubtitleTrack mergeTrack = MakeTrack({{0, 1000, "old merge"}});
        LoaderState state;
        state.SubtitleFormatUnknown = c.FormatUnknownBefore;
        const MergeLoad load = LoadMergeFile(c.Path, mergeTrack, state, nullptr);
        EXPECT_NE(load.Refusal, "") << c.Path;
        EXPECT_EQ(state.SubtitleFormatUnknown, c.FormatUnknownBefore) << c.Path;
        EXPECT_EQ(mergeTrack.Texts[0], "old merge");

        EditSession session;
        const EditStep step = session.BeginMerge(load, track, mergeTrack);
        EXPECT_EQ(step.Message, load.Refusal);
        EXPECT_FALSE(step.SeekTo.has_value());
        EXPECT_FALSE(session.MergeActive());
        EXPECT_FALSE(session.PressSpace(0, track, mergeTrack, ".").Done);
        EXPECT_EQ(track.Count, 3);
    }
}

TEST(EditSession, AMergeBeyondTheCapacitySaysHowManyWereLeftOut) {
    SubtitleTrack track = MakeNumberedTrack(TrackCapacity - 1);
    const SubtitleTrack second = MakeNumberedTrack(3);
    EditSession session;
    session.BeginMerge(Loaded(), track, second);
    const EditStep step = session.PressSpace(0, track, second, ".");
    EXPECT_EQ(track.Count, TrackCapacity);
    EXPECT_EQ(step.Message, "2 subtitles not merged: a track holds at most 10000 subtitles");
}

TEST(SaveTrack, LeavesTheClockShowingTheNextSubtitles) {
    TemporaryDirectory dir;
    ASSERT_TRUE(dir.Valid());
    SubtitleTrack track = MakeNumberedTrack(10);  // entry i from 1000 i to 1000 i + 500
    ResyncIndex(track, 2100);
    ASSERT_EQ(track.Cursor, 2);
    ASSERT_TRUE(SaveTrack(track, dir.File("saved.srt")).Ok);
    ChooseSubtitle(track, 2700, 0);  // entry 2 is over
    EXPECT_EQ(ChooseSubtitle(track, 3100, 0), "s3\n");
}

}  // namespace
}  // namespace orvalen
