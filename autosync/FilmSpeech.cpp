#include "autosync/FilmSpeech.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "autosync/SpeechDetector.h"
#include "media/SoundDecoder.h"

namespace orvalen {

namespace {

constexpr int64_t kFrameMs = 10;
// Shorter films are not worth a second decoder.
constexpr int64_t kSplitFromMs = 60000;
constexpr auto kProgressInterval = std::chrono::milliseconds(50);

struct Stretch {
    int64_t FromMs = 0;
    int64_t ToMs = kLongestFilmMs;
    std::string Error;
    std::vector<uint8_t> Frames;
};

// Decodes one stretch and detects its speech. The sink stops the decoder when the user stops or
// the other stretch failed; onBlock runs after each block of samples.
void Analyse(const std::string& path, Stretch& stretch, std::atomic<int64_t>& decoded,
             const std::atomic<bool>& stop, std::atomic<bool>& halt,
             const std::function<void()>& onBlock) {
    SpeechDetector detector;
    SampleSink sink = [&](const int16_t* samples, size_t count) {
        detector.Take(samples, count);
        decoded.fetch_add(static_cast<int64_t>(count), std::memory_order_relaxed);
        if (onBlock) onBlock();
        return !stop.load(std::memory_order_relaxed) && !halt.load(std::memory_order_relaxed);
    };
    std::atomic<bool> never{false};
    stretch.Error =
        DecodeSound(path, SpeechDetector::kSampleRate, stretch.FromMs, stretch.ToMs, sink, never);
    if (!stretch.Error.empty()) halt.store(true);
    stretch.Frames = detector.TakeFrames();
}

}  // namespace

FilmSpeech DetectFilmSpeech(const std::string& filmPath,
                            const std::function<void(double)>& progress,
                            const std::atomic<bool>& stop) {
    FilmSpeech speech;
    SoundProbe probe = ProbeSound(filmPath);
    if (!probe.Error.empty()) {
        speech.Error = probe.Error;
        return speech;
    }
    std::vector<Stretch> stretches(1);
    int64_t durationMs = std::min(probe.DurationMs, kLongestFilmMs);
    if (durationMs >= kSplitFromMs) {
        int64_t middle = durationMs / 2 / kFrameMs * kFrameMs;
        stretches[0].ToMs = middle;
        stretches.emplace_back().FromMs = middle;
    }
    std::atomic<int64_t> decoded{0};
    std::atomic<bool> halt{false};
    std::atomic<bool> secondDone{stretches.size() == 1};
    std::thread second;
    if (stretches.size() > 1) {
        second = std::thread([&] {
            Analyse(filmPath, stretches[1], decoded, stop, halt, nullptr);
            secondDone.store(true);
        });
    }
    double total = static_cast<double>(durationMs) * SpeechDetector::kSampleRate / 1000;
    auto report = [&] {
        if (progress && total > 0) progress(std::min(1.0, decoded.load() / total));
    };
    auto lastReport = std::chrono::steady_clock::now();
    Analyse(filmPath, stretches[0], decoded, stop, halt, [&] {
        auto now = std::chrono::steady_clock::now();
        if (now - lastReport < kProgressInterval) return;
        lastReport = now;
        report();
    });
    while (!secondDone.load()) {
        std::this_thread::sleep_for(kProgressInterval);
        report();
    }
    if (second.joinable()) second.join();

    if (stop.load()) {
        speech.Cancelled = true;
        return speech;
    }
    for (Stretch& stretch : stretches) {
        if (!stretch.Error.empty()) {
            speech.Error = stretch.Error;
            return speech;
        }
    }
    if (stretches.size() > 1) {
        stretches[0].Frames.resize(static_cast<size_t>(stretches[1].FromMs / kFrameMs), 0);
    }
    speech.Frames = std::move(stretches[0].Frames);
    if (stretches.size() > 1) {
        speech.Frames.insert(speech.Frames.end(), stretches[1].Frames.begin(),
                             stretches[1].Frames.end());
    }
    return speech;
}

}  // namespace orvalen
