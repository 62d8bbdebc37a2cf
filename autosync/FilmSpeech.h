#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvalen {

// Where people speak in a film: one flag per 10 ms from the film's start.
struct FilmSpeech {
    // Why the sound could not be analysed; empty otherwise.
    std::string Error;
    bool Cancelled = false;
    std::vector<uint8_t> Frames;
};

// Decodes the film's sound, the two halves at once on two threads, and detects speech in it.
// progress receives the decoded fraction (0 to 1) on the calling thread; stop ends the work
// early with Cancelled set.
FilmSpeech DetectFilmSpeech(const std::string& filmPath,
                            const std::function<void(double)>& progress,
                            const std::atomic<bool>& stop);

}  // namespace orvalen
