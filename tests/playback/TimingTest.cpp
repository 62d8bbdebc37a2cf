#include <gtest/gtest.h>
#include <sys/stat.h>

#include <limits>
#include <string>
#include <vector>

#include "playback/OffsetMemory.h"
#include "playback/SubtitleLines.h"
#include "playback/TrackOffset.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

SubtitleTrack TrackOf(const std::vector<std::pair<int32_t, int32_t>>& times) {
    SubtitleTrack track;
    for (const auto& [start, end] : times) EntryAppender(track).Append(start, end, "x");
    return track;
}

struct OffsetCase {
    const char* name;
    std::pair<int32_t, int32_t> times;
    std::vector<int64_t> steps;  // MoveBy each in turn
    int32_t offset;
    std::pair<int32_t, int32_t> moved;
    const char* shown;
};

void PrintTo(const OffsetCase& c, std::ostream* os) {
    *os << c.name;
}

class Offsets : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(Offsets, MoveTheTimesWithinTheLimits) {
    const OffsetCase& c = GetParam();
    SubtitleTrack track = TrackOf({c.times});
    TrackOffset offset;
    for (const int64_t step : c.steps) offset.MoveBy(track, step);
    EXPECT_EQ(offset.Ms(), c.offset);
    EXPECT_EQ(track.StartMs[0], c.moved.first);
    EXPECT_EQ(track.EndMs[0], c.moved.second);
    EXPECT_EQ(DelayText(offset.Ms()), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Offsets,
    ::testing::Values(
        OffsetCase{"LaterThenEarlier",
                   {1000, 2000},
                   {1000, 100, 100, 100, -100},
                   1200,
                   {2200, 3200},
                   "+1.200 s"},
        OffsetCase{"BeforeTheFilmStarts", {50, 900}, {-100}, -100, {-50, 800}, "-0.100 s"},
        OffsetCase{"BackToZero", {50, 900}, {-1000, 1000}, 0, {50, 900}, "0.000 s"},
        OffsetCase{"HeldAtTheLimit",
                   {0, 10},
                   {MaxTrackOffsetMs, 1000},
                   MaxTrackOffsetMs,
                   {MaxTrackOffsetMs, MaxTrackOffsetMs + 10},
                   "+36000.000 s"},
        OffsetCase{"HugeStepsDoNotWrap",
                   {0, 10},
                   {int64_t{1} << 40, -(int64_t{1} << 41)},
                   -MaxTrackOffsetMs,
                   {-MaxTrackOffsetMs, -MaxTrackOffsetMs + 10},
                   "-36000.000 s"},
        OffsetCase{
            "TimesSaturateAtTheTop", {kMax - 50, kMax}, {1000}, 1000, {kMax, kMax}, "+1.000 s"},
        OffsetCase{"TimesSaturateAtTheBottom",
                   {kMin, kMin + 50},
                   {-1000},
                   -1000,
                   {kMin, kMin},
                   "-1.000 s"}),
    [](const ::testing::TestParamInfo<OffsetCase>& info) { return info.param.name; });

TEST(TrackOffsetTest, AChosenSubtitleStartsAtThePosition) {
    SubtitleTrack track = TrackOf({{1000, 2000}, {5000, 6000}});
    TrackOffset offset;
    EXPECT_EQ(offset.StartAt(track, 1, 4200), -800);
    EXPECT_EQ(track.StartMs[1], 4200);
    EXPECT_EQ(offset.StartAt(track, 2, 0), 0) << "no such subtitle";
    EXPECT_EQ(offset.StartAt(track, -1, 0), 0);
    EXPECT_EQ(offset.Ms(), -800);
}

struct LineCase {
    int32_t position;
    int32_t shown;
    int32_t current, previous, next, lastStarted;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << "at " << c.position << " showing " << c.shown;
}

class Lines : public ::testing::TestWithParam<LineCase> {};

// Starts 1000, 3000, 3000, 5000: equal starts count once, at the later entry.
TEST_P(Lines, AreFoundByStartTime) {
    const LineCase& c = GetParam();
    const SubtitleTrack track = TrackOf({{1000, 2000}, {3000, 3500}, {3000, 4000}, {5000, 6000}});
    EXPECT_EQ(CurrentLine(track, c.position, c.shown), c.current);
    EXPECT_EQ(PreviousLine(track, c.position, c.shown), c.previous);
    EXPECT_EQ(NextLine(track, c.position, c.shown), c.next);
    EXPECT_EQ(LastStartedLine(track, c.position), c.lastStarted);
}

INSTANTIATE_TEST_SUITE_P(Cases, Lines,
                         ::testing::Values(LineCase{500, -1, -1, -1, 0, -1},
                                           LineCase{1000, -1, 0, -1, 1, -1},
                                           LineCase{3000, -1, 2, 0, 3, 0},
                                           LineCase{4500, -1, 2, 0, 3, 2},
                                           LineCase{4800, 3, 3, 2, -1, 2},  // shown early
                                           LineCase{9000, -1, 3, 2, -1, 3}));

class OffsetStateFile : public ::testing::Test {
  protected:
    std::string State() const { return dir_.Path() + "/orvalen/subtitle-offsets"; }
    std::string WriteState(const std::string& bytes) {
        std::filesystem::create_directories(dir_.Path() + "/orvalen");
        return dir_.Write("orvalen/subtitle-offsets", bytes);
    }
    static SubtitleFileKey File(const std::string& path) { return {path, 120, 7}; }

    testing::TempDir dir_;
};

TEST_F(OffsetStateFile, RemembersPerFileAndForgetsAtZero) {
    const SubtitleFileKey odd = File("/films/a\tb\n100%.srt");
    EXPECT_EQ(RememberOffset(State(), odd, 1300), "");
    EXPECT_EQ(RememberOffset(State(), File("/films/b.srt"), -200), "");
    EXPECT_EQ(RecallOffset(State(), odd).OffsetMs, 1300);
    EXPECT_FALSE(RecallOffset(State(), {odd.Path, 121, 7}).OffsetMs) << "the file changed";
    EXPECT_EQ(RememberOffset(State(), odd, 0), "");
    EXPECT_FALSE(RecallOffset(State(), odd).OffsetMs);
    EXPECT_EQ(RecallOffset(State(), File("/films/b.srt")).OffsetMs, -200);
}

TEST_F(OffsetStateFile, KeepsTheNewestWhenFull) {
    std::vector<RememberedOffset> entries;
    for (size_t i = 0; i <= MaxRememberedOffsets; ++i) {
        entries.push_back({File("/f/" + std::to_string(i)), 100});
    }
    bool known = false;
    const std::vector<RememberedOffset> kept = ParseOffsetState(FormatOffsetState(entries), known);
    ASSERT_EQ(kept.size(), MaxRememberedOffsets);
    EXPECT_EQ(kept.front().File.Path, "/f/1");
    entries.assign(1000, {File(std::string(4000, 'p')), 100});
    for (size_t i = 0; i < entries.size(); ++i) entries[i].File.Size = static_cast<int64_t>(i);
    EXPECT_LE(FormatOffsetState(entries).size(), MaxOffsetStateBytes);
}

struct BadStateCase {
    const char* name;
    std::string bytes;
    bool kept;  // still one that later writes replace
};

void PrintTo(const BadStateCase& c, std::ostream* os) {
    *os << c.name;
}

class BadStateFile : public OffsetStateFile, public ::testing::WithParamInterface<BadStateCase> {};

// Whatever the file holds, nothing crashes, and a file that is not a readable state file is
// left exactly as it was.
TEST_P(BadStateFile, IsIgnoredAndNothingIsLost) {
    const BadStateCase& c = GetParam();
    const std::string before = c.bytes;
    WriteState(before);
    const OffsetRecall recall = RecallOffset(State(), File("/films/a.srt"));
    EXPECT_EQ(recall.OffsetMs, c.kept ? std::optional<int32_t>(900) : std::nullopt);
    EXPECT_EQ(recall.Problem.empty(), c.kept);
    EXPECT_EQ(RememberOffset(State(), File("/films/c.srt"), 500).empty(), c.kept);
    if (c.kept) {
        EXPECT_EQ(RecallOffset(State(), File("/films/a.srt")).OffsetMs, 900);
    } else {
        EXPECT_EQ(testing::ReadFile(State()), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadStateFile,
    ::testing::Values(
        BadStateCase{"CorruptLinesSkipped",
                     "Orvalen subtitle offsets 1\nx\t1\n99999999999\t120\t7\t/z\n"
                     "900\t120\t7\t/films/a.srt\n5\t120\t7\t/bad%zz\n\t\n",
                     true},
        BadStateCase{"NotAStateFile", "Other program 2\n900\t120\t7\t/films/a.srt\n", false},
        BadStateCase{"Huge", "Orvalen subtitle offsets 1\n" + std::string(MaxOffsetStateBytes, 'x'),
                     false}),
    [](const ::testing::TestParamInfo<BadStateCase>& info) { return info.param.name; });

TEST_F(OffsetStateFile, NoFileButAStateFileIsReadOrReplaced) {
    std::filesystem::create_directories(State());
    EXPECT_FALSE(RecallOffset(State(), File("/a")).Problem.empty());
    EXPECT_FALSE(RememberOffset(State(), File("/a"), 100).empty());
    EXPECT_TRUE(std::filesystem::is_directory(State()));
    std::filesystem::remove(State());
    ASSERT_EQ(::mkfifo(State().c_str(), 0600), 0);
    EXPECT_FALSE(RememberOffset(State(), File("/a"), 100).empty()) << "and did not wait";
    EXPECT_TRUE(std::filesystem::is_fifo(State()));
}

}  // namespace
}  // namespace orvalen
