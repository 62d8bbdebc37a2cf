#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "discovery/SubtitleSearch.h"
#include "settings/Settings.h"

namespace {

// A temporary directory for one benchmark, removed afterwards.
class BenchDir {
  public:
    BenchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvalen-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string("/tmp");
    }
    ~BenchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

orvalen::Settings AllOn() {
    orvalen::Settings settings;
    settings.CurrentDir = true;
    settings.SubDir = "subs";
    settings.SubDirEnabled = true;
    settings.SubtitleFormat.fill(true);
    return settings;
}

// The OK button of the configuration dialog: 30 keys, each written through to the disk.
void BM_SaveSettings(benchmark::State& state) {
    BenchDir dir;
    orvalen::IniFile ini(dir / "Config.ini");
    orvalen::Settings settings = AllOn();
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvalen::SaveSettings(ini, settings, orvalen::FontSettings{}));
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

// Start-up: the settings, the font and the bars, 33 keys each read from the file afresh.
void BM_LoadAllSettings(benchmark::State& state) {
    BenchDir dir;
    orvalen::IniFile ini(dir / "Config.ini");
    orvalen::SaveSettings(ini, AllOn(), orvalen::FontSettings{});
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvalen::LoadSettings(ini));
        benchmark::DoNotOptimize(orvalen::ReadFontSettings(ini));
        benchmark::DoNotOptimize(orvalen::ReadBarSettings(ini));
    }
}
BENCHMARK(BM_LoadAllSettings)->Unit(benchmark::kMicrosecond);

// Start-up with a Config.ini of state.range(0) MiB, most of it keys of no use: the file is
// parsed once, not once per key.
void BM_LoadHugeSettings(benchmark::State& state) {
    BenchDir dir;
    {
        std::ofstream file(dir / "Config.ini");
        file << "[Junk]\n";
        for (int64_t i = 0; i < state.range(0) * 1024 * 1024 / 16; ++i)
            file << "Key" << i % 1000 << "=0123456\n";
    }
    orvalen::IniFile ini(dir / "Config.ini");
    orvalen::SaveSettings(ini, AllOn(), orvalen::FontSettings{});
    for (auto _ : state) {
        orvalen::IniFile fresh(dir / "Config.ini");
        benchmark::DoNotOptimize(orvalen::LoadSettings(fresh));
        benchmark::DoNotOptimize(orvalen::ReadFontSettings(fresh));
        benchmark::DoNotOptimize(orvalen::ReadBarSettings(fresh));
    }
}
BENCHMARK(BM_LoadHugeSettings)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// A search in a film directory holding state.range(0) files, with every format enabled.
void BM_FindSubtitleFiles(benchmark::State& state) {
    BenchDir dir;
    std::filesystem::create_directory(dir / "subs");
    for (int64_t i = 0; i < state.range(0); ++i) {
        std::string name = "Film " + std::to_string(i) + (i % 2 == 0 ? ".srt" : ".mkv");
        std::ofstream(dir / name) << "x";
        std::ofstream(dir / ("subs/" + name)) << "x";
    }
    orvalen::Settings settings = AllOn();
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvalen::FindSubtitleFiles(dir / "Film.avi", settings));
    }
}
BENCHMARK(BM_FindSubtitleFiles)->Arg(100)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
