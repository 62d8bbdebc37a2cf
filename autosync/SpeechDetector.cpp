#include "autosync/SpeechDetector.h"

#include <webrtc/modules/audio_processing/include/audio_processing.h>
#include <webrtc/modules/interface/module_common_types.h>

#include <algorithm>

namespace orvalen {

// The library installs no header for its bare detector; its processing module runs the same
// detector behind a public interface.
SpeechDetector::SpeechDetector()
    : processing_(webrtc::AudioProcessing::Create()),
      frame_(std::make_unique<webrtc::AudioFrame>()) {
    webrtc::VoiceDetection* voice = processing_->voice_detection();
    voice->Enable(true);
    // The most demanding mode: music and noise of a film must not pass for speech.
    voice->set_likelihood(webrtc::VoiceDetection::kVeryLowLikelihood);
    voice->set_frame_size_ms(10);
    pending_.reserve(kFrameSamples);
}

SpeechDetector::~SpeechDetector() = default;

void SpeechDetector::Take(const int16_t* samples, size_t count) {
    if (!pending_.empty()) {
        size_t used = std::min(count, kFrameSamples - pending_.size());
        pending_.insert(pending_.end(), samples, samples + used);
        samples += used;
        count -= used;
        if (pending_.size() < kFrameSamples) return;
        Decide(pending_.data());
        pending_.clear();
    }
    while (count >= kFrameSamples) {
        Decide(samples);
        samples += kFrameSamples;
        count -= kFrameSamples;
    }
    pending_.assign(samples, samples + count);
}

void SpeechDetector::Decide(const int16_t* frame) {
    frame_->UpdateFrame(0, 0, frame, kFrameSamples, kSampleRate, webrtc::AudioFrame::kNormalSpeech,
                        webrtc::AudioFrame::kVadUnknown, 1);
    bool speech = processing_->ProcessStream(frame_.get()) == webrtc::AudioProcessing::kNoError &&
                  processing_->voice_detection()->stream_has_voice();
    frames_.push_back(speech ? 1 : 0);
}

}  // namespace orvalen
