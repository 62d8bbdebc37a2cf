#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <mpv/client.h>
#include <unistd.h>

#include "media/MediaControl.h"
#include "media/MpvCore.h"
#include "media/MpvDevice.h"

namespace {

namespace fs = std::filesystem;

// Two small films made once with ffmpeg, removed at exit.
class BenchFilms {
  public:
    BenchFilms() : dir_(fs::temp_directory_path() / ("orvalen-bench-" + std::to_string(getpid()))) {
        fs::create_directories(dir_);
        Make(
            "-f lavfi -i testsrc=size=320x240:rate=25:duration=10 -f lavfi -i "
            "sine=frequency=440:duration=10 -c:v mpeg4 -q:v 8 -c:a mp2 -shortest",
            Sound());
        Make("-f lavfi -i testsrc=size=320x240:rate=25:duration=120 -c:v mpeg4 -q:v 8", Silent());
    }
    ~BenchFilms() {
        std::error_code error;
        fs::remove_all(dir_, error);
    }
    std::string Sound() const { return (dir_ / "sound.avi").string(); }
    std::string Silent() const { return (dir_ / "silent.avi").string(); }

  private:
    void Make(const std::string& arguments, const std::string& path) const {
        const std::string command = "ffmpeg -nostdin -v error -y " + arguments + " '" + path + "'";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("ffmpeg failed");
    }
    fs::path dir_;
};

const BenchFilms& Films() {
    static const BenchFilms films;
    return films;
}

void WaitForPlayback(orvalen::MediaControl& control) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (control.GetPosition() < 200 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// What the playback clock pays every 50 ms.
void BM_GetPositionPlaying(benchmark::State& state) {
    orvalen::MpvDevice device;
    orvalen::MediaControl control(device);
    if (!control.OpenMovie(Films().Silent()) || !control.PlayMovie()) {
        state.SkipWithError("film did not play");
        return;
    }
    WaitForPlayback(control);
    for (auto _ : state) benchmark::DoNotOptimize(control.GetPosition());
}
BENCHMARK(BM_GetPositionPlaying)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_GetPositionPaused(benchmark::State& state) {
    orvalen::MpvDevice device;
    orvalen::MediaControl control(device);
    if (!control.OpenMovie(Films().Silent())) {
        state.SkipWithError("film did not open");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(control.GetPosition());
}
BENCHMARK(BM_GetPositionPaused)->Repetitions(5)->ReportAggregatesOnly(true);

// The two ways of reading mpv's position, on a playing film: asking the core each time, or
// observing the property and keeping the last value the events brought.
void BM_MpvTimePosGetProperty(benchmark::State& state) {
    mpv_handle* core = orvalen::mpv::CreateCore(orvalen::mpv::VideoOutput::None);
    orvalen::mpv::LoadFile(core, Films().Silent(), std::chrono::seconds(5),
                           [](const mpv_event&) {});
    int play = 0;
    mpv_set_property(core, "pause", MPV_FORMAT_FLAG, &play);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    for (auto _ : state) {
        double seconds = 0.0;
        mpv_get_property(core, "time-pos", MPV_FORMAT_DOUBLE, &seconds);
        benchmark::DoNotOptimize(seconds);
    }
    mpv_terminate_destroy(core);
}
BENCHMARK(BM_MpvTimePosGetProperty)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MpvTimePosObserved(benchmark::State& state) {
    mpv_handle* core = orvalen::mpv::CreateCore(orvalen::mpv::VideoOutput::None);
    orvalen::mpv::LoadFile(core, Films().Silent(), std::chrono::seconds(5),
                           [](const mpv_event&) {});
    mpv_observe_property(core, 1, "time-pos", MPV_FORMAT_DOUBLE);
    int play = 0;
    mpv_set_property(core, "pause", MPV_FORMAT_FLAG, &play);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    double seconds = 0.0;
    for (auto _ : state) {
        for (;;) {
            const mpv_event* event = mpv_wait_event(core, 0);
            if (event->event_id == MPV_EVENT_NONE) break;
            if (event->event_id == MPV_EVENT_PROPERTY_CHANGE) {
                const auto* property = static_cast<const mpv_event_property*>(event->data);
                if (property->format == MPV_FORMAT_DOUBLE) {
                    seconds = *static_cast<const double*>(property->data);
                }
            }
        }
        benchmark::DoNotOptimize(seconds);
    }
    mpv_terminate_destroy(core);
}
BENCHMARK(BM_MpvTimePosObserved)->Repetitions(5)->ReportAggregatesOnly(true);

// The open command waits for this before it reads the length.
void BM_OpenSmallAvi(benchmark::State& state) {
    orvalen::MpvDevice device;
    orvalen::MediaControl control(device);
    const std::string film = state.range(0) != 0 ? Films().Sound() : Films().Silent();
    for (auto _ : state) {
        if (!control.OpenMovie(film)) state.SkipWithError("film did not open");
    }
}
BENCHMARK(BM_OpenSmallAvi)
    ->ArgName("sound")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A frame rate asked of a file that is not open: a core of its own for the question.
void BM_ProbeFrameRate(benchmark::State& state) {
    orvalen::MpvDevice device;
    for (auto _ : state) benchmark::DoNotOptimize(device.FrameRate(Films().Silent()));
}
BENCHMARK(BM_ProbeFrameRate)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
