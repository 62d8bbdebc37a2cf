#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "subtitles/Markup.h"
#include "subtitles/Parser.h"
#include "subtitles/SubRipWriter.h"

namespace orvalen {
namespace {

constexpr int Entries = 10000;

std::string Two(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// h:mm:ss style fields of the i-th subtitle, three seconds apart.
struct Clock {
    int h, m, s, hundredths;
    explicit Clock(int i, int offset = 0) {
        int total = i * 3 + offset;
        h = total / 3600, m = total / 60 % 60, s = total % 60, hundredths = (i * 7) % 100;
    }
    std::string Hms() const { return Two(h) + ":" + Two(m) + ":" + Two(s); }
};

std::string Text(int i) {
    return "Subtitle number " + std::to_string(i) + " says something";
}

std::string MicroDvd() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += "{" + std::to_string(i * 72) + "}{" + std::to_string(i * 72 + 48) + "}" + Text(i) +
             "|second line\n";
    }
    return f;
}

std::string MPlayer() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += std::to_string(i * 72) + "," + std::to_string(i * 72 + 48) + ",0," + Text(i) +
             "|second line\n";
    }
    return f;
}

std::string MacSub() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += "/" + std::to_string(i * 72) + "\n" + Text(i) + "\nsecond line\n/" +
             std::to_string(i * 72 + 48) + "\n";
    }
    return f;
}

std::string BraceBlocks() {
    std::string f = "{HEAD\nheader\n}\n";
    for (int i = 0; i < Entries; ++i) {
        Clock a(i), b(i, 2);
        f += "{T " + a.Hms() + ":" + Two(a.hundredths) + "\n" + Text(i) + "\nsecond line\n}\n";
        f += "{T " + b.Hms() + ":00\n\n}\n";
    }
    return f;
}

std::string SubViewer1() {
    std::string f = "[TITLE]\nBench\n[BEGIN]\n******\n";
    for (int i = 0; i < Entries; ++i) {
        f += "[" + Clock(i).Hms() + "]\n" + Text(i) + "|second line\n[" + Clock(i, 2).Hms() +
             "]\n\n";
    }
    return f;
}

std::string SubViewer2() {
    std::string f = "[INFORMATION]\n[TITLE]Bench\n[END INFORMATION]\n[SUBTITLE]\n[COLF]&HFFFFFF\n";
    for (int i = 0; i < Entries; ++i) {
        Clock a(i), b(i, 2);
        f += a.Hms() + "." + Two(a.hundredths) + "," + b.Hms() + "." + Two(b.hundredths) + "\n" +
             Text(i) + "[br]second line\n\n";
    }
    return f;
}

std::string WrappedSeconds() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += std::to_string(i) + " " + std::to_string(i * 3 % 256) + ".50 \\ ~:\\" + Text(i) +
             "\n" + std::to_string(i) + " " + std::to_string((i * 3 + 2) % 256) + ".00\n";
    }
    return f;
}

std::string TimecodePairs() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        Clock a(i), b(i, 2);
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i % 10000);
        f += std::string(number) + "  " + a.Hms() + ":" + Two(a.hundredths) + "  " + b.Hms() +
             ":00  " + Text(i) + "\nsecond line\n\n";
    }
    return f;
}

std::string SubRip() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += std::to_string(i + 1) + "\n" + Clock(i).Hms() + ",123 --> " + Clock(i, 2).Hms() +
             ",456\n" + Text(i) + "\nsecond line\n\n";
    }
    return f;
}

// The same with 8-bit texts, which sends the file through encoding detection.
std::string SubRipLatin1() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += std::to_string(i + 1) + "\n" + Clock(i).Hms() + ",123 --> " + Clock(i, 2).Hms() +
             ",456\nL'\xE9t\xE9 num\xE9ro " + std::to_string(i) + "\nd\xE9j\xE0 vu\n\n";
    }
    return f;
}

std::string SubStationAlpha() {
    std::string f =
        "[Script Info]\nScriptType: v4.00\n\n[V4 Styles]\nFormat: Name, Fontname\nStyle: "
        "Default,Arial\n\n[Events]\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, "
        "MarginV, Effect, Text\n";
    for (int i = 0; i < Entries; ++i) {
        Clock a(i), b(i, 2);
        f += "Dialogue: Marked=0," + std::to_string(a.h) + a.Hms().substr(2) + "." +
             Two(a.hundredths) + "," + std::to_string(b.h) + b.Hms().substr(2) +
             ".00,Default,NTP,0000,0000,0000,!Effect," + Text(i) + "/nsecond line\n";
    }
    return f;
}

std::string PowerDivX() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += "{" + Clock(i).Hms() + "}{" + Clock(i, 2).Hms() + "}" + Text(i) + "|second line\n";
    }
    return f;
}

std::string TMPlayer() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        Clock a(i), b(i, 2);
        f += std::to_string(a.h) + a.Hms().substr(2) + ",5=" + Text(i) + "|second line\n";
        f += std::to_string(b.h) + b.Hms().substr(2) + ",0=\n";
    }
    return f;
}

std::string Dks() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f +=
            "[" + Clock(i).Hms() + "]" + Text(i) + "[br]second line\n[" + Clock(i, 2).Hms() + "]\n";
    }
    return f;
}

std::string Viplay() {
    std::string f = "#Bench\n";
    for (int i = 0; i < Entries; ++i) {
        f += Clock(i).Hms() + ",123-" + Clock(i, 2).Hms() + ",456=" + Text(i) + "|second line\n";
    }
    return f;
}

std::string AdvancedSubStationAlpha() {
    std::string f =
        "[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\nFormat: Name, Fontname\nStyle: "
        "Default,Arial\n\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, "
        "MarginV, Effect, Text\n";
    for (int i = 0; i < Entries; ++i) {
        Clock a(i), b(i, 2);
        f += "Dialogue: 0," + std::to_string(a.h) + a.Hms().substr(2) + "." + Two(a.hundredths) +
             "," + std::to_string(b.h) + b.Hms().substr(2) + ".00,Default,,0,0,0,,{\\i1}" +
             Text(i) + "{\\i0}\\Nsecond line\n";
    }
    return f;
}

std::string WebVtt() {
    std::string f = "WEBVTT\n\nNOTE generated for the benchmark\n\n";
    for (int i = 0; i < Entries; ++i) {
        Clock a(i), b(i, 2);
        f += std::to_string(i + 1) + "\n" + a.Hms() + "." + Two(a.hundredths) + "0 --> " + b.Hms() +
             ".000 align:middle\n<i>" + Text(i) + "</i>\nsecond line\n\n";
    }
    return f;
}

std::string TMPlayerClassic() {
    std::string f;
    for (int i = 0; i < Entries; ++i) f += Clock(i).Hms() + ":" + Text(i) + "|second line\n";
    return f;
}

std::string Mpl2() {
    std::string f;
    for (int i = 0; i < Entries; ++i) {
        f += "[" + std::to_string(i * 30) + "][" + std::to_string(i * 30 + 20) + "]/" + Text(i) +
             "|second line\n";
    }
    return f;
}

// Writes the files once into a temporary directory that is removed at exit.
class BenchFiles {
  public:
    BenchFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvalen-bench-XXXXXX");
        dir_ = ::mkdtemp(pattern.data()) ? pattern : std::string(".");
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

  private:
    std::string dir_;
};

BenchFiles& Files() {
    static BenchFiles files;
    return files;
}

void BM_Load(benchmark::State& state, const char* name, std::string (*generate)(),
             SubtitleReaderId reader) {
    std::string path = Files().Write(name, generate());
    SubtitleTrack track;
    LoaderState loader;
    for (auto _ : state) {
        LoadReport report = LoadSubtitleFile(path, track, loader, nullptr);
        benchmark::DoNotOptimize(report);
    }
    LoadReport report = LoadSubtitleFile(path, track, loader, nullptr);
    if (report.Reader != reader || track.Count != Entries) {
        state.SkipWithError(
            ("read " + std::to_string(track.Count) + " entries with " + ReaderName(report.Reader))
                .c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
}

using R = SubtitleReaderId;
BENCHMARK_CAPTURE(BM_Load, microdvd, "b.sub", MicroDvd, R::MicroDvd);
BENCHMARK_CAPTURE(BM_Load, brace_blocks, "c.sub", BraceBlocks, R::BraceBlocks);
BENCHMARK_CAPTURE(BM_Load, subviewer1, "d.sub", SubViewer1, R::SubViewer1);
BENCHMARK_CAPTURE(BM_Load, subviewer2, "e.sub", SubViewer2, R::SubViewer2);
BENCHMARK_CAPTURE(BM_Load, wrapped_seconds, "f.sub", WrappedSeconds, R::WrappedSeconds);
BENCHMARK_CAPTURE(BM_Load, timecode_pairs, "g.sub", TimecodePairs, R::TimecodePairs);
BENCHMARK_CAPTURE(BM_Load, subrip, "b.srt", SubRip, R::SubRip);
BENCHMARK_CAPTURE(BM_Load, subrip_latin1, "c.srt", SubRipLatin1, R::SubRip);
BENCHMARK_CAPTURE(BM_Load, ssa, "b.ssa", SubStationAlpha, R::SubStationAlpha);
BENCHMARK_CAPTURE(BM_Load, powerdivx, "b.psb", PowerDivX, R::PowerDivX);
BENCHMARK_CAPTURE(BM_Load, tmplayer, "b.txt", TMPlayer, R::TMPlayer);
BENCHMARK_CAPTURE(BM_Load, dks, "b.dks", Dks, R::Dks);
BENCHMARK_CAPTURE(BM_Load, mplayer, "b.mpl", MPlayer, R::MPlayer);
BENCHMARK_CAPTURE(BM_Load, macsub, "b.scr", MacSub, R::MacSub);
BENCHMARK_CAPTURE(BM_Load, viplay, "b.vsf", Viplay, R::Viplay);
BENCHMARK_CAPTURE(BM_Load, ass, "b.ass", AdvancedSubStationAlpha, R::AdvancedSubStationAlpha);
BENCHMARK_CAPTURE(BM_Load, webvtt, "b.vtt", WebVtt, R::WebVtt);
BENCHMARK_CAPTURE(BM_Load, tmplayer_classic, "c.txt", TMPlayerClassic, R::TMPlayerClassic);
BENCHMARK_CAPTURE(BM_Load, mpl2, "d.txt", Mpl2, R::Mpl2);

void BM_WriteSubRip(benchmark::State& state) {
    SubtitleTrack track;
    LoaderState loader;
    LoadSubtitleFile(Files().Write("w.srt", SubRip()), track, loader, nullptr);
    for (auto _ : state) {
        std::string out;
        benchmark::DoNotOptimize(WriteSubRip(track, out));
        benchmark::DoNotOptimize(out.data());
    }
    if (track.Count != Entries) state.SkipWithError("the track is not full");
}
BENCHMARK(BM_WriteSubRip);

// The whole save: the text, the temporary file and the rename.
void BM_SaveSubRipFile(benchmark::State& state) {
    SubtitleTrack track;
    LoaderState loader;
    LoadSubtitleFile(Files().Write("s.srt", SubRip()), track, loader, nullptr);
    std::string target = Files().Write("saved.srt", "");
    for (auto _ : state) {
        std::string error;
        if (!SaveSubRipFile(track, target, error)) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_SaveSubRipFile);

// One subtitle text of state.range(0) markup units, parsed and cut to what the screen shows.
// Time must grow with the count alone: 10 times the tags, 10 times the time.
void BM_ParseMarkup(benchmark::State& state, MarkupFamily family, const char* unit) {
    std::string text;
    for (int64_t i = 0; i < state.range(0); ++i) text += unit;
    for (auto _ : state) {
        std::vector<StyledLine> lines = ParseMarkup(text, family);
        KeepWhatScreenShows(lines);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

using F = MarkupFamily;
#define MARKUP_BENCH(name, family, unit)                  \
    BENCHMARK_CAPTURE(BM_ParseMarkup, name, family, unit) \
        ->Arg(20000)                                      \
        ->Arg(200000)                                     \
        ->Unit(benchmark::kMillisecond)                   \
        ->Complexity(benchmark::oN)
MARKUP_BENCH(font_open, F::SubRip, "<font>a");
MARKUP_BENCH(font_coloured, F::SubRip, "<font color=red>a<font face=x>b");
MARKUP_BENCH(font_closed_under_class, F::WebVtt, "<font color=red><c>a</font>");
MARKUP_BENCH(class_open, F::WebVtt, "<c.loud>a");
MARKUP_BENCH(unclosed_angles, F::WebVtt, "<1");
MARKUP_BENCH(unclosed_blocks, F::Ssa, "{a");
MARKUP_BENCH(microdvd_codes, F::MicroDvd, "{y:i}a{");

}  // namespace
}  // namespace orvalen
