#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "resync/Resynchronisation.h"
#include "resync/Save.h"
#include "subtitles/Parser.h"
#include "subtitles/SubRipWriter.h"
#include "tests/Corpus.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::TempDir;

class FixedRate : public FrameRateProvider {
  public:
    explicit FixedRate(int32_t rate) : rate_(rate) {}
    int32_t GetFrameRate(const std::string&) override { return rate_; }

  private:
    int32_t rate_;
};

bool Load(const std::string& path, SubtitleTrack& track, int32_t frameRate = DefaultFrameRate) {
    LoaderState state;
    FixedRate rates(frameRate);
    LoadReport report = LoadSubtitleFile(path, track, state, &rates);
    return report.Opened && report.Reader != SubtitleReaderId::None;
}

std::string SubRipTime(int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld,%03lld",
                  static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return text;
}

// count entries with uneven starts and lengths, some overlapping, over about 45 minutes.
std::string GeneratedSubRip(int count) {
    std::string file;
    int64_t start = 1234;
    for (int i = 0; i < count; ++i) {
        int64_t length = 800 + (i * 7919) % 4200;
        file += std::to_string(i + 1) + "\r\n" + SubRipTime(start) + " --> " +
                SubRipTime(start + length) + "\r\nLine " + std::to_string(i) + "\r\n\r\n";
        start += 300 + (i * 104729) % 5100;
    }
    return file;
}

// Marks equal to the references' own starts: factor 1, shift 0, so nothing may move.
void ExpectIdentityResync(SubtitleTrack& track) {
    SubtitleTrack before = track;
    int32_t n = track.Count;
    ResyncQuad numbers = {n / 10, n / 3, 2 * n / 3, n - 2};
    ResyncQuad starts;
    for (int k = 0; k < 4; ++k) starts[k] = track.StartMs[numbers[k]];
    ResyncResult result = ComputeResync(starts, starts);
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(ResyncStatusText(result.Factor, result.Shift), "Dilatation = 1   Shift = 0");
    ApplyResync(track, result.Factor, result.Shift);
    for (int32_t i = 0; i < n; ++i) {
        ASSERT_EQ(track.StartMs[i], before.StartMs[i]) << "entry " << i;
        ASSERT_EQ(track.EndMs[i], before.EndMs[i]) << "entry " << i;
    }
}

TEST(ResyncRoundTrip, IdentityMarksLeaveAThousandEntriesUnchangedThroughSave) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string original = dir.Write("film.srt", GeneratedSubRip(1000));
    SubtitleTrack track;
    ASSERT_TRUE(Load(original, track));
    ASSERT_EQ(track.Count, 1000);
    ExpectIdentityResync(track);

    std::string saved = dir.File("resynced.srt");
    track.Cursor = 417;
    SaveOutcome outcome = SaveTrack(track, saved);
    ASSERT_TRUE(outcome.Ok) << outcome.Message;
    EXPECT_EQ(track.Cursor, 417);  // playback goes on from where it was
    SubtitleTrack reloaded;
    ASSERT_TRUE(Load(saved, reloaded));
    ASSERT_EQ(reloaded.Count, 1000);
    for (int32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(reloaded.StartMs[i], track.StartMs[i]) << "entry " << i;
        ASSERT_EQ(reloaded.EndMs[i], track.EndMs[i]) << "entry " << i;
        ASSERT_EQ(reloaded.Texts[i], track.Texts[i]) << "entry " << i;
    }
}

TEST(ResyncRoundTrip, IdentityMarksLeaveARealFileUnchanged) {
    std::string path = ORVALEN_CORPUS_DIR "/subrip/pysrt-windows-1252.srt";
    SKIP_WITHOUT_CORPUS(path);
    SubtitleTrack track;
    ASSERT_TRUE(Load(path, track));
    ASSERT_GE(track.Count, 1000);
    ExpectIdentityResync(track);
}

// Subtitles timed for a 25 fps release of a film, converted for its 23.976 fps release: every
// time stretched by 25/23.976, so they come 4.3% late on the 25 fps film. Marking four
// references at their true times brings the file back; the factor keeps three significant
// digits (0.959 for 0.95904), so what is left grows by 4.2e-5 of the distance from the
// references' middle: within 10 ms over six minutes, about 65 ms over fifty.
struct FrameRateCase {
    const char* Name;
    int32_t MsBetweenStarts;
    int32_t MaxErrorMs;  // measured, then pinned
};

void PrintTo(const FrameRateCase& c, std::ostream* os) {
    *os << c.Name << " (" << c.MsBetweenStarts << " ms apart)";
}

class FrameRateChange : public ::testing::TestWithParam<FrameRateCase> {};

TEST_P(FrameRateChange, FourTrueMarksBringTheTimesBack) {
    const FrameRateCase& c = GetParam();
    constexpr int kCount = 1000;
    auto trueStart = [&](int i) { return 10000 + i * c.MsBetweenStarts + (i * 277) % 300; };
    auto trueEnd = [&](int i) { return trueStart(i) + 1500 + (i * 31) % 1000; };
    auto converted = [](int64_t ms) { return (ms * 25000 + 23976 / 2) / 23976; };
    std::string file;
    for (int i = 0; i < kCount; ++i) {
        file += std::to_string(i + 1) + "\n" + SubRipTime(converted(trueStart(i))) + " --> " +
                SubRipTime(converted(trueEnd(i))) + "\nLine " + std::to_string(i) + "\n\n";
    }
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    SubtitleTrack track;
    ASSERT_TRUE(Load(dir.Write("film.srt", file), track));
    ASSERT_EQ(track.Count, kCount);

    ResyncQuad numbers = {125, 375, 625, 875};
    ResyncQuad starts;
    ResyncQuad marks;
    for (int k = 0; k < 4; ++k) {
        starts[k] = track.StartMs[numbers[k]];
        marks[k] = trueStart(numbers[k]);
    }
    ResyncResult result = ComputeResync(starts, marks);
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Factor, 0.959);
    ApplyResync(track, result.Factor, result.Shift);

    int32_t maxError = 0;
    for (int i = 0; i < kCount; ++i) {
        maxError = std::max(maxError, std::abs(track.StartMs[i] - trueStart(i)));
        maxError = std::max(maxError, std::abs(track.EndMs[i] - trueEnd(i)));
    }
    EXPECT_LE(maxError, c.MaxErrorMs);
    RecordProperty("max_error_ms", maxError);
}

INSTANTIATE_TEST_SUITE_P(ResyncRoundTrip, FrameRateChange,
                         ::testing::Values(FrameRateCase{"SixMinutes", 360, 10},
                                           FrameRateCase{"FiftyMinutes", 3000, 70}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(SaveTrack, ReportsAFailureWithThePathAndTheReasonAndKeepsTheTrack) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    SubtitleTrack track;
    track.StartMs[0] = 1500;
    track.EndMs[0] = 4000;
    track.Texts[0] = "Hello\n";
    track.Count = 1;
    SubtitleTrack before = track;

    std::string missing = dir.File("no-such-directory/out.srt");
    SaveOutcome outcome = SaveTrack(track, missing);
    EXPECT_FALSE(outcome.Ok);
    EXPECT_EQ(outcome.Message.rfind("Impossible d'écrire dans " + missing + "\n", 0), 0u)
        << outcome.Message;
    EXPECT_GT(outcome.Message.size(), ("Impossible d'écrire dans " + missing + "\n").size());

    // A directory in the way is left as it was, with what it holds.
    std::string occupied = dir.File("occupied.srt");
    std::filesystem::create_directory(occupied);
    dir.Write("occupied.srt/inside", "keep");
    EXPECT_FALSE(SaveTrack(track, occupied).Ok);
    EXPECT_EQ(testing::ReadFile(occupied + "/inside"), "keep");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")),
                            std::filesystem::directory_iterator()),
              1);  // no temporary file left behind

    EXPECT_EQ(track.StartMs, before.StartMs);
    EXPECT_EQ(track.EndMs, before.EndMs);
    EXPECT_EQ(track.Texts, before.Texts);
    EXPECT_EQ(track.Count, before.Count);
}

TEST(SaveTrack, ReplacesAnExistingFileAndAddsNoExtension) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string path = dir.Write("named without extension", "old contents that are longer");
    SubtitleTrack track;
    track.StartMs[0] = 1500;
    track.EndMs[0] = 4000;
    track.Texts[0] = "Hello\nWorld\n";
    track.Count = 1;
    ASSERT_TRUE(SaveTrack(track, path).Ok);
    EXPECT_EQ(testing::ReadFile(path),
              "1\r\n0:00:01,500 --> 0:00:04,000\r\nHello\r\nWorld\r\n\r\n");
    EXPECT_EQ(track.Cursor, 0);

    SubtitleTrack empty;
    ASSERT_TRUE(SaveTrack(empty, path).Ok);
    EXPECT_EQ(testing::ReadFile(path), "");
}

}  // namespace
}  // namespace orvalen
