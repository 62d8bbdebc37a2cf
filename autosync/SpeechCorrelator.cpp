#include "autosync/SpeechCorrelator.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <new>

namespace orvalen {

struct SpeechCorrelator::Plans {
    kiss_fftr_cfg Forward = nullptr;
    kiss_fftr_cfg Inverse = nullptr;
    ~Plans() {
        kiss_fftr_free(Forward);
        kiss_fftr_free(Inverse);
    }
};

namespace {

kiss_fft_cpx* Complex(std::vector<float>& values) {
    return reinterpret_cast<kiss_fft_cpx*>(values.data());
}

}  // namespace

SpeechCorrelator::SpeechCorrelator(std::vector<float> film, size_t longestSignal)
    : film_(std::move(film)) {
    // Room for every placement without the circular correlation wrapping onto itself.
    size_t needed = std::max<size_t>(film_.size() + longestSignal, 2);
    size_ = static_cast<size_t>(kiss_fftr_next_fast_size_real(static_cast<int>(needed)));
    plans_ = std::make_unique<Plans>();
    plans_->Forward = kiss_fftr_alloc(static_cast<int>(size_), 0, nullptr, nullptr);
    plans_->Inverse = kiss_fftr_alloc(static_cast<int>(size_), 1, nullptr, nullptr);
    if (!plans_->Forward || !plans_->Inverse) throw std::bad_alloc();
    buffer_.assign(size_, 0.0f);
    std::copy(film_.begin(), film_.end(), buffer_.begin());
    filmSpectrum_.resize(size_ + 2);
    kiss_fftr(plans_->Forward, buffer_.data(), Complex(filmSpectrum_));
    spectrum_.resize(size_ + 2);
}

SpeechCorrelator::~SpeechCorrelator() = default;

const std::vector<float>& SpeechCorrelator::Correlate(const std::vector<float>& signal) {
    size_t length = std::min(signal.size(), size_ - film_.size());
    std::fill(buffer_.begin(), buffer_.end(), 0.0f);
    std::copy(signal.begin(), signal.begin() + static_cast<ptrdiff_t>(length), buffer_.begin());
    kiss_fftr(plans_->Forward, buffer_.data(), Complex(spectrum_));
    const kiss_fft_cpx* filmBins = Complex(filmSpectrum_);
    kiss_fft_cpx* bins = Complex(spectrum_);
    float scale = 1.0f / static_cast<float>(size_);
    for (size_t k = 0; k <= size_ / 2; ++k) {
        // conj(signal) * film: the correlation, not the convolution.
        float re = bins[k].r * filmBins[k].r + bins[k].i * filmBins[k].i;
        float im = bins[k].r * filmBins[k].i - bins[k].i * filmBins[k].r;
        bins[k].r = re * scale;
        bins[k].i = im * scale;
    }
    kiss_fftri(plans_->Inverse, bins, buffer_.data());
    scores_.resize(film_.size() + length - 1);
    for (size_t j = 0; j < scores_.size(); ++j) {
        ptrdiff_t placement = static_cast<ptrdiff_t>(j) + 1 - static_cast<ptrdiff_t>(length);
        scores_[j] = buffer_[placement < 0 ? placement + static_cast<ptrdiff_t>(size_)
                                           : static_cast<size_t>(placement)];
    }
    return scores_;
}

}  // namespace orvalen
