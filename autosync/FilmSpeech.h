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

// Sound beyond this is not analysed: no film lasts half a day, and a damaged header must not
// make the analysis take hours or gigabytes.
inline constexpr int64_t kLongestFilmMs = 12 * 3600 * 1000;

// Decodes the film's sound (at most kLongestFilmMs of it), the two halves at once on two threads,
// and detects speech in it. progress receives the decoded fraction (0 to 1) on the calling thread;
// stop ends the work early with Cancelled set.
FilmSpeech DetectFilmSpeech(const std::string& filmPath,
                            const std::function<void(double)>& progress,
                            const std::atomic<bool>& stop);

}  // namespace orvalen
