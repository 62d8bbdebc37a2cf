#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace orvalen {

// What a film's sound is, before decoding it.
struct SoundProbe {
    // Empty when the film has a sound stream that can be decoded; otherwise why not.
    std::string Error;
    int64_t DurationMs = 0;
};

// Receives consecutive blocks of mono 16-bit samples; false stops the decoding.
using SampleSink = std::function<bool(const int16_t* samples, size_t count)>;

// Opens a local regular file (never a device, a FIFO or the network) and finds its sound.
SoundProbe ProbeSound(const std::string& path);

// Decodes the film's sound from fromMs to toMs (film time) into mono samples at sampleRate,
// the first one at fromMs: gaps are filled with silence, samples before fromMs are dropped.
// Only the sound stream is read, in blocks, so memory stays small whatever the film's length.
// Returns empty on success or when stop was set, else why the decoding failed.
std::string DecodeSound(const std::string& path, int sampleRate, int64_t fromMs, int64_t toMs,
                        const SampleSink& sink, const std::atomic<bool>& stop);

}  // namespace orvalen
