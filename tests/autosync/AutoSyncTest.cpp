#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "../cli/CliRunner.h"
#include "autosync/AutoSync.h"
#include "resync/Save.h"

namespace orvalen {
namespace {

struct Speech {
    int32_t StartMs;
    int32_t EndMs;
};

// The films of make-films.sh: made by CTest's fixture, or here when run by hand.
std::string FilmPath(const std::string& name) {
    std::string dir = ORVALEN_AUTOSYNC_FILMS_DIR;
    if (!std::filesystem::exists(dir + "/speech.tsv")) {
        std::string make = "'" ORVALEN_TEST_SOURCE_DIR "/make-films.sh' '" + dir + "'";
        EXPECT_EQ(std::system(make.c_str()), 0);
    }
    return dir + "/" + name;
}

const std::vector<Speech>& SpokenLines() {
    static const std::vector<Speech> lines = [] {
        std::vector<Speech> read;
        std::ifstream in(FilmPath("speech.tsv"));
        for (Speech line{}; in >> line.StartMs >> line.EndMs;) read.push_back(line);
        return read;
    }();
    return lines;
}

// Subtitles of the spoken lines as another copy would time them: every time t becomes
// t * ratio + shift, and lines from cutEntry on come extra ms later still.
SubtitleTrack CopyTrack(double ratio, int32_t shift, int32_t cutEntry = -1, int32_t extra = 0) {
    SubtitleTrack track;
    EntryAppender append(track);
    for (int32_t i = 0; i < std::ssize(SpokenLines()); ++i) {
        int32_t moved = shift + (cutEntry >= 0 && i >= cutEntry ? extra : 0);
        append.Append(static_cast<int32_t>(SpokenLines()[i].StartMs * ratio) + moved,
                      static_cast<int32_t>(SpokenLines()[i].EndMs * ratio) + moved, "line\n");
    }
    return track;
}

// Lines of another film: as many, at other times.
SubtitleTrack OtherFilmTrack() {
    SubtitleTrack track;
    EntryAppender append(track);
    uint32_t seed = 12345;
    int32_t start = 900;
    for (size_t i = 0; i < SpokenLines().size(); ++i) {
        seed = seed * 1103515245 + 12345;
        append.Append(start, start + 2100, "other\n");
        start += 3000 + static_cast<int32_t>(seed >> 16) % 3800;
    }
    return track;
}

SoundSync Synchronise(const std::string& film, const SubtitleTrack& track) {
    std::atomic<bool> stop{false};
    return SynchroniseWithSound(film, track, nullptr, stop);
}

struct CopyCase {
    const char* Name;
    double Ratio;
    int32_t Shift;
    int32_t CutEntry;
    int32_t Extra;
};

void PrintTo(const CopyCase& c, std::ostream* out) {
    *out << c.Name;
}

class SynchroniseCopy : public ::testing::TestWithParam<CopyCase> {};

// After synchronisation every subtitle starts with its speech: median error at most 50 ms,
// worst 200 ms; a cut gives two parts, each with its own shift.
TEST_P(SynchroniseCopy, PutsEachSubtitleOnItsSpeech) {
    const CopyCase& c = GetParam();
    SubtitleTrack track = CopyTrack(c.Ratio, c.Shift, c.CutEntry, c.Extra);
    SoundSync sync = Synchronise(FilmPath("speech.mkv"), track);
    ASSERT_TRUE(sync.Confident()) << sync.Error << " confidence " << sync.ConfidencePercent;
    ASSERT_EQ(sync.Result.Parts.size(), c.CutEntry >= 0 ? 2u : 1u);
    ApplySoundSync(track, sync.Result);
    std::vector<int32_t> errors;
    for (int32_t i = 0; i < track.Count; ++i) {
        errors.push_back(std::abs(track.StartMs[i] - SpokenLines()[i].StartMs));
    }
    std::sort(errors.begin(), errors.end());
    EXPECT_LE(errors[errors.size() / 2], 50);
    EXPECT_LE(errors.back(), 200);
}

INSTANTIATE_TEST_SUITE_P(AutoSync, SynchroniseCopy,
                         ::testing::Values(CopyCase{"OnTime", 1, 0, -1, 0},
                                           CopyCase{"Late60s", 1, 60000, -1, 0},
                                           CopyCase{"Early45s", 1, -45000, -1, 0},
                                           CopyCase{"Pal25From23976", 23.976 / 25, 3000, -1, 0},
                                           CopyCase{"Film23976From25", 25 / 23.976, -12000, -1, 0},
                                           CopyCase{"Film24From25", 25 / 24.0, 700, -1, 0},
                                           CopyCase{"Ntsc23976From24", 24 / 23.976, 30000, -1, 0},
                                           CopyCase{"ExtraScene", 1, 5000, 11, 8000},
                                           CopyCase{"CutInPalCopy", 23.976 / 25, 2000, 12, 2500}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(AutoSync, RefusesWhatCannotBeSynchronised) {
    struct Case {
        const char* Name;
        std::string Film;
        SubtitleTrack Track;
        bool Error;
    };
    std::string text = std::string(ORVALEN_TEST_SOURCE_DIR) + "/speech-lines.tsv";
    for (const Case& c :
         {Case{"subtitles of another film", FilmPath("speech.mkv"), OtherFilmTrack(), false},
          Case{"no sound", FilmPath("silent.mkv"), CopyTrack(1, 0), true},
          Case{"not a film", text, CopyTrack(1, 0), true},
          Case{"a directory", ORVALEN_TEST_SOURCE_DIR, CopyTrack(1, 0), true},
          Case{"no subtitles", FilmPath("speech.mkv"), SubtitleTrack(), true}}) {
        SoundSync sync = Synchronise(c.Film, c.Track);
        EXPECT_FALSE(sync.Confident()) << c.Name;
        EXPECT_EQ(!sync.Error.empty(), c.Error) << c.Name << ": " << sync.Error;
    }
}

TEST(AutoSync, StopsWhenCancelled) {
    std::atomic<bool> stop{false};
    SoundSync sync = SynchroniseWithSound(
        FilmPath("speech.mkv"), CopyTrack(1, 0), [&](double) { stop = true; }, stop);
    EXPECT_TRUE(sync.Cancelled);
    EXPECT_FALSE(sync.Confident());
}

TEST(AutosyncCommand, PrintsItsLinesAndWritesOnlyWhenConfident) {
    testing::TempDir dir;
    struct Case {
        SubtitleTrack Track;
        int Status;
        const char* Lines;
    };
    const char* number = "-?[0-9.]+";
    for (Case c : {Case{CopyTrack(1, 4000), 0, "Dilatation = N   Shift = N\nparts: 1\n"},
                   Case{CopyTrack(1, 5000, 11, 8000), 0,
                        "Dilatation = N   Shift = N   from 6500\n"
                        "Dilatation = N   Shift = N   from 71236\nparts: 2\n"},
                   Case{OtherFilmTrack(), 4, "(Dilatation = N   Shift = N.*\n)+parts: .\n"}}) {
        std::string in = dir.Path() + "/in.srt";
        std::string out = dir.Path() + "/out.srt";
        std::filesystem::remove(out);
        ASSERT_TRUE(SaveTrack(c.Track, in).Ok);
        auto run = testing::RunOrvalenSub({"autosync", FilmPath("speech.mkv"), in, "-o", out});
        std::string lines = std::regex_replace(c.Lines, std::regex("N"), number);
        EXPECT_TRUE(std::regex_match(
            run.out, std::regex(lines + "confidence: [0-9]+%\ntime: [0-9]+\\.[0-9] s\n")))
            << run.out;
        EXPECT_EQ(run.status, c.Status) << run.err;
        EXPECT_EQ(std::filesystem::exists(out), c.Status == 0);
    }
}

}  // namespace
}  // namespace orvalen
