#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvalen {

// Cross-correlates signals with a film's speech through the FFT (kissfft), the film's spectrum
// computed once.
class SpeechCorrelator {
  public:
    // film: the film's speech, one value per frame, its mean removed. Signals given later are
    // at most longestSignal frames long.
    SpeechCorrelator(std::vector<float> film, size_t longestSignal);
    ~SpeechCorrelator();
    SpeechCorrelator(const SpeechCorrelator&) = delete;
    SpeechCorrelator& operator=(const SpeechCorrelator&) = delete;

    const std::vector<float>& Film() const { return film_; }

    // For every placement of the signal's first frame at film frame p, from 1 - signal.size()
    // to Film().size() - 1: the sum of signal[v] * film[p + v]. Element j is for
    // p = j + 1 - signal.size(). The vector is reused by the next call.
    const std::vector<float>& Correlate(const std::vector<float>& signal);

  private:
    struct Plans;

    std::vector<float> film_;
    size_t size_ = 0;
    std::vector<float> filmSpectrum_;
    std::vector<float> buffer_;
    std::vector<float> spectrum_;
    std::vector<float> scores_;
    std::unique_ptr<Plans> plans_;
};

}  // namespace orvalen
