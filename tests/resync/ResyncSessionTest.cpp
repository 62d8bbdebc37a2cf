#include "resync/ResyncSession.h"

#include <gtest/gtest.h>

#include "TrackBuilder.h"

namespace orvalen {
namespace {

using Outcome = ResyncStep::Outcome;
using testing_support::MakeNumberedTrack;
using testing_support::MakeTrack;
using testing_support::ResyncExampleTrack;

constexpr ResyncQuad kReferences = {1, 2, 3, 4};

TEST(ResyncSession, ShowsEachNextReferenceThenRewritesTheTrack) {
    SubtitleTrack track = ResyncExampleTrack();
    ResyncSession session;
    ResyncStep step = session.Start(track, kReferences);
    EXPECT_EQ(step.Result, Outcome::NextReference);
    EXPECT_EQ(step.NextEntry, 1);
    EXPECT_TRUE(session.ResyncActive);

    const ResyncQuad marks = {11000, 21400, 31800, 42200};
    for (int press = 0; press < 3; ++press) {
        step = session.Press(marks[press], track, kReferences);
        EXPECT_EQ(step.Result, Outcome::NextReference);
        EXPECT_EQ(step.NextEntry, kReferences[press + 1]);
        EXPECT_EQ(session.ResyncCount, press + 1);
        EXPECT_EQ(track.StartMs[1], 10000);  // nothing rewritten before the fourth press
    }
    step = session.Press(marks[3], track, kReferences);
    EXPECT_EQ(step.Result, Outcome::Applied);
    EXPECT_EQ(step.StatusText, "Dilatation = 1.04   Shift = -599");
    EXPECT_EQ(session.ResyncMarks, marks);
    EXPECT_FALSE(session.ResyncActive);
    EXPECT_EQ(session.ResyncCount, 0);
    EXPECT_EQ(track.StartMs[0], 5799);  // every entry, not only the references
    EXPECT_EQ(track.StartMs[1], 10999);
    EXPECT_EQ(track.EndMs[1], 13079);
    EXPECT_EQ(track.Count, 5);

    // A fifth press is left to the merge.
    EXPECT_EQ(session.Press(50000, track, kReferences).Result, Outcome::NotWaiting);
    EXPECT_EQ(track.StartMs[1], 10999);
}

TEST(ResyncSession, UsesFailedPositionsAsMarks) {
    SubtitleTrack track = ResyncExampleTrack();
    ResyncSession session;
    session.Start(track, kReferences);
    ResyncStep step;
    for (int press = 0; press < 4; ++press) step = session.Press(-1, track, kReferences);
    EXPECT_EQ(step.Result, Outcome::Applied);
    EXPECT_EQ(step.StatusText, "Dilatation = 0   Shift = 1");
    EXPECT_EQ(track.StartMs[0], -1);
    EXPECT_EQ(track.EndMs[4], -1);
}

TEST(ResyncSession, RestartsTheSeriesWhenStartedAgain) {
    SubtitleTrack track = ResyncExampleTrack();
    ResyncSession session;
    session.Start(track, kReferences);
    session.Press(1, track, kReferences);
    session.Press(2, track, kReferences);
    ResyncStep step = session.Start(track, {0, 1, 2, 3});
    EXPECT_EQ(step.NextEntry, 0);
    EXPECT_EQ(session.ResyncCount, 0);
    EXPECT_TRUE(session.ResyncActive);
}

struct RefusedStart {
    const char* Name;
    SubtitleTrack Track;
    ResyncQuad Numbers;
    const char* Status;
};

void PrintTo(const RefusedStart& c, std::ostream* os) {
    *os << c.Name << " (" << c.Track.Count << " subtitles)";
}

class RefusedStarts : public testing::TestWithParam<RefusedStart> {};

TEST_P(RefusedStarts, LeaveAWaitingSeriesAsItWas) {
    const RefusedStart& c = GetParam();
    SubtitleTrack waitingTrack = ResyncExampleTrack();
    ResyncSession session;
    session.Start(waitingTrack, kReferences);
    session.Press(700, waitingTrack, kReferences);

    SubtitleTrack track = c.Track;
    ResyncStep step = session.Start(track, c.Numbers);
    EXPECT_EQ(step.Result, Outcome::Refused);
    EXPECT_EQ(step.StatusText, c.Status);
    EXPECT_TRUE(session.ResyncActive);
    EXPECT_EQ(session.ResyncCount, 1);
    EXPECT_EQ(session.ResyncMarks[0], 700);
}

INSTANTIATE_TEST_SUITE_P(
    ResyncSession, RefusedStarts,
    testing::Values(
        RefusedStart{"ThreeSubtitles",
                     MakeNumberedTrack(3),
                     {0, 1, 2, 3},
                     "Resynchronisation impossible: the subtitle file holds fewer than four "
                     "subtitles"},
        RefusedStart{"EmptyTrack",
                     SubtitleTrack(),
                     {0, 1, 2, 3},
                     "Resynchronisation impossible: the subtitle file holds fewer than four "
                     "subtitles"},
        RefusedStart{"BeyondTheTrack",
                     MakeNumberedTrack(10),
                     {0, 1, 2, 10},
                     "Resynchronisation impossible: the reference subtitles must be four "
                     "increasing numbers from 0 to 9"},
        RefusedStart{"Negative",
                     MakeNumberedTrack(10),
                     {-1, 1, 2, 3},
                     "Resynchronisation impossible: the reference subtitles must be four "
                     "increasing numbers from 0 to 9"},
        RefusedStart{"NotIncreasing",
                     MakeNumberedTrack(10),
                     {0, 2, 2, 3},
                     "Resynchronisation impossible: the reference subtitles must be four "
                     "increasing numbers from 0 to 9"},
        RefusedStart{"SameStart",
                     MakeTrack({{0, 1, "a"}, {100, 200, "b"}, {100, 300, "c"}, {400, 500, "d"}}),
                     {0, 1, 2, 3},
                     "Resynchronisation impossible: subtitles 1 and 2 start at the same time"}),
    [](const auto& info) { return std::string(info.param.Name); });

// The track may be reloaded while the presses are collected: the fourth press checks again,
// ends the series and leaves the track as it is.
TEST(ResyncSession, FourthPressRefusesATrackThatNoLongerFits) {
    struct Case {
        SubtitleTrack Reloaded;
        const char* Status;
    };
    for (const Case& c :
         {Case{MakeTrack({{0, 1, "a"}, {7, 8, "b"}, {7, 9, "c"}, {7, 10, "d"}, {9, 11, "e"}}),
               "Resynchronisation impossible: subtitles 1 and 2 start at the same time"},
          Case{MakeNumberedTrack(4),
               "Resynchronisation impossible: the reference subtitles must be four increasing "
               "numbers from 0 to 3"}}) {
        SubtitleTrack track = ResyncExampleTrack();
        ResyncSession session;
        session.Start(track, kReferences);
        for (int press = 0; press < 3; ++press) session.Press(press, track, kReferences);
        track = c.Reloaded;
        ResyncStep step = session.Press(3, track, kReferences);
        EXPECT_EQ(step.Result, Outcome::Refused);
        EXPECT_EQ(step.StatusText, c.Status);
        EXPECT_FALSE(session.ResyncActive);
        EXPECT_EQ(session.ResyncCount, 0);
        for (int32_t i = 0; i < track.Count; ++i) {
            EXPECT_EQ(track.StartMs[i], c.Reloaded.StartMs[i]);
            EXPECT_EQ(track.EndMs[i], c.Reloaded.EndMs[i]);
        }
    }
}

TEST(ResyncSession, CancelEndsTheSeries) {
    SubtitleTrack track = ResyncExampleTrack();
    ResyncSession session;
    session.Start(track, kReferences);
    session.Press(1, track, kReferences);
    session.Cancel();
    EXPECT_FALSE(session.ResyncActive);
    EXPECT_EQ(session.Press(2, track, kReferences).Result, Outcome::NotWaiting);
    EXPECT_EQ(track.StartMs[1], 10000);
}

}  // namespace
}  // namespace orvalen
