#include "resync/EditSession.h"

#include <gtest/gtest.h>

#include "TrackBuilder.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::TempDir;
using testing_support::MakeNumberedTrack;
using testing_support::MakeTrack;
using testing_support::ResyncExampleTrack;

MergeLoad Loaded() {
    MergeLoad load;
    load.Report.Opened = true;
    load.Report.Reader = SubtitleReaderId::SubRip;
    return load;
}

TEST(EditSession, AWaitingResynchronisationTakesThePressesBeforeTheMerge) {
    SubtitleTrack track = ResyncExampleTrack();
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
    TempDir dir;
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

TEST(EditSession, AMergeAfterAnEmptyTrackPlaysFromTheStart) {
    EditSession session;
    EXPECT_EQ(session.BeginMerge(Loaded(), SubtitleTrack(), MakeNumberedTrack(1)).SeekTo, 0);
}

}  // namespace
}  // namespace orvalen
