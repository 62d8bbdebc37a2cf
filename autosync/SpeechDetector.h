#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace webrtc {
class AudioFrame;
class AudioProcessing;
}  // namespace webrtc

namespace orvalen {

// One flag per 10 ms of sound: someone speaks or not, as the WebRTC voice activity detector
// (the one of the Debian audio processing library) decides.
class SpeechDetector {
  public:
    static constexpr int kSampleRate = 8000;
    static constexpr size_t kFrameSamples = kSampleRate / 100;

    SpeechDetector();
    ~SpeechDetector();
    SpeechDetector(const SpeechDetector&) = delete;
    SpeechDetector& operator=(const SpeechDetector&) = delete;

    // Mono 16-bit samples at kSampleRate, in order; a frame is decided once complete.
    void Take(const int16_t* samples, size_t count);

    // The decisions so far, one per complete frame.
    const std::vector<uint8_t>& Frames() const { return frames_; }
    std::vector<uint8_t> TakeFrames() { return std::move(frames_); }

  private:
    void Decide(const int16_t* frame);

    std::unique_ptr<webrtc::AudioProcessing> processing_;
    // Kept: a frame holds room for 3840 samples, too much to clear 100 times a second.
    std::unique_ptr<webrtc::AudioFrame> frame_;
    std::vector<int16_t> pending_;
    std::vector<uint8_t> frames_;
};

}  // namespace orvalen
