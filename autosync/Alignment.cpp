#include "autosync/Alignment.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "autosync/SpeechCorrelator.h"
#include "autosync/SubtitleSignal.h"

namespace orvalen {

namespace {

constexpr int kFrameMs = 10;
// The first search runs on 100 ms blocks: ten times fewer values to transform.
constexpr int kCoarseFrames = 10;
constexpr int kApartMs = 1000;
// Film minus subtitle frame rates that copies of a film commonly differ by.
constexpr double kRatios[] = {1.0,         25 / 23.976, 24 / 23.976, 25 / 24.0,
                              23.976 / 25, 23.976 / 24, 24 / 25.0};
constexpr double kHighestRatio = 25 / 23.976 * 1.01;
// Copies differ by those ratios: the refinement only corrects their rounding, and a wider band
// would let a track with a cut bend its factor to straddle the cut.
constexpr double kRefineBand = 0.0015;
constexpr double kFirstStep = 0.001;
// The refinement stops when a step moves the last subtitle by less than this many frames.
constexpr double kFinestShift = 0.25;
constexpr int kMostRefinements = 60;
// A cut must raise the score by this share of one straight line's, and leave each part this
// many subtitles, for chance matches not to split a track.
constexpr double kCutGain = 0.1;
constexpr int32_t kLeastPartEntries = 5;
constexpr int kCutCandidates = 8;
constexpr int kFactorDigits = 7;

struct Range {
    int32_t First = 0;
    int32_t End = 0;
};

struct Fit {
    double Factor = 1;
    // Where the signal's first frame lands in the film, with the fraction the peak's shape
    // suggests.
    double Placement = 0;
    int64_t FirstFrame = 0;
    double Score = 0;
    double Runner = 0;

    double Confidence() const {
        if (Score <= 0) return 0;
        return std::clamp((Score - std::max(Runner, 0.0)) / Score, 0.0, 1.0);
    }
};

std::vector<float> CentredSpeech(const std::vector<uint8_t>& speech, int block) {
    std::vector<float> values((speech.size() + block - 1) / block, 0.0f);
    double total = 0;
    for (size_t i = 0; i < speech.size(); ++i) {
        values[i / block] += speech[i];
        total += speech[i];
    }
    double mean = speech.empty() ? 0 : total / static_cast<double>(speech.size());
    for (float& value : values) value = static_cast<float>(value / block - mean);
    return values;
}

// Best placement of one track range on the film's speech, at one resolution.
class Fitter {
  public:
    Fitter(const std::vector<uint8_t>& speech, const SubtitleTrack& track, int frames,
           size_t longestSignal)
        : track_(track),
          frameMs_(kFrameMs * frames),
          correlator_(CentredSpeech(speech, frames), longestSignal) {}

    int FrameMs() const { return frameMs_; }
    const std::vector<float>& Film() const { return correlator_.Film(); }
    const SubtitleSignal& Signal() const { return signal_; }
    const std::vector<float>& Scores() const { return *scores_; }

    Fit At(double factor, int32_t first, int32_t end) {
        Fit fit;
        fit.Factor = factor;
        signal_ = BuildSubtitleSignal(track_, first, end, factor, frameMs_);
        if (signal_.Values.empty()) return fit;
        fit.FirstFrame = signal_.FirstFrame;
        scores_ = &correlator_.Correlate(signal_.Values);
        const std::vector<float>& scores = *scores_;
        size_t best =
            static_cast<size_t>(std::max_element(scores.begin(), scores.end()) - scores.begin());
        auto apart = static_cast<size_t>(kApartMs / frameMs_);
        float runner = 0;
        for (size_t j = 0; j < scores.size(); ++j) {
            if (j + apart < best || j > best + apart) runner = std::max(runner, scores[j]);
        }
        double fraction = 0;
        if (best > 0 && best + 1 < scores.size()) {
            double before = scores[best - 1];
            double after = scores[best + 1];
            double curve = before - 2.0 * scores[best] + after;
            if (curve < 0) fraction = std::clamp(0.5 * (before - after) / curve, -0.5, 0.5);
        }
        fit.Placement =
            static_cast<double>(best) + fraction + 1 - static_cast<double>(signal_.Values.size());
        fit.Score = scores[best];
        fit.Runner = runner;
        return fit;
    }

    // The summed best scores of the ranges, each at its own placement, at one factor.
    double Score(double factor, const std::vector<Range>& ranges) {
        double score = 0;
        for (const Range& range : ranges) score += At(factor, range.First, range.End).Score;
        return score;
    }

    // The factor from start, within kRefineBand of centre, that gives the ranges the best summed
    // score: steps up and down, halving the step when neither is better, until a step moves the
    // track's last frame by less than kFinestShift frames.
    double Refine(double centre, double start, const std::vector<Range>& ranges, double step,
                  double span) {
        double factor = start;
        double score = Score(factor, ranges);
        for (int round = 0; round < kMostRefinements && step * span > kFinestShift; ++round) {
            double moved = factor;
            for (double other : {factor * (1 + step), factor / (1 + step)}) {
                if (std::abs(other / centre - 1) > kRefineBand) continue;
                double otherScore = Score(other, ranges);
                if (otherScore > score) {
                    score = otherScore;
                    moved = other;
                }
            }
            if (moved == factor) step /= 2;
            factor = moved;
        }
        return factor;
    }

  private:
    const SubtitleTrack& track_;
    int frameMs_;
    SpeechCorrelator correlator_;
    SubtitleSignal signal_;
    const std::vector<float>* scores_ = nullptr;
};

// The placements of the highest peaks, each more than a second from the others.
std::vector<int64_t> HighestPeaks(const Fitter& fitter, int count) {
    std::vector<float> scores = fitter.Scores();
    auto apart = static_cast<ptrdiff_t>(kApartMs / fitter.FrameMs());
    auto length = static_cast<int64_t>(fitter.Signal().Values.size());
    std::vector<int64_t> peaks;
    for (int k = 0; k < count; ++k) {
        auto best = std::max_element(scores.begin(), scores.end());
        if (best == scores.end() || *best <= 0) break;
        ptrdiff_t at = best - scores.begin();
        peaks.push_back(at + 1 - length);
        auto from = scores.begin() + std::max<ptrdiff_t>(0, at - apart);
        auto to = scores.begin() + std::min<ptrdiff_t>(std::ssize(scores), at + apart + 1);
        std::fill(from, to, 0.0f);
    }
    return peaks;
}

// Running sums of the signal's match with the film at one placement.
std::vector<double> RunningMatch(const Fitter& fitter, int64_t placement) {
    const std::vector<float>& signal = fitter.Signal().Values;
    const std::vector<float>& film = fitter.Film();
    std::vector<double> sums(signal.size() + 1, 0.0);
    for (size_t v = 0; v < signal.size(); ++v) {
        int64_t at = placement + static_cast<int64_t>(v);
        double match = at >= 0 && at < std::ssize(film) ? signal[v] * film[at] : 0.0;
        sums[v + 1] = sums[v] + match;
    }
    return sums;
}

// The first entry of a second part when the track matches clearly better in two parts, each
// at its own placement, than at the whole's. The cut may fall anywhere in the gap before that
// entry, where the copy's extra or missing scene is. Only a track in time order is cut.
struct Cut {
    int32_t Entry = 0;
    double Score = 0;
};

std::optional<Cut> FindCut(Fitter& fitter, const Fit& whole, const SubtitleTrack& track) {
    int32_t count = track.Count;
    if (count < 2 * kLeastPartEntries) return std::nullopt;
    fitter.At(whole.Factor, 0, count);
    auto length = static_cast<int64_t>(fitter.Signal().Values.size());
    std::vector<int64_t> startFrames;
    for (int32_t i = 0; i < count; ++i) {
        int64_t frame = ScaledFrame(track.StartMs[i], whole.Factor, fitter.FrameMs()) -
                        fitter.Signal().FirstFrame;
        startFrames.push_back(std::clamp<int64_t>(frame, 0, length));
    }
    if (!std::is_sorted(startFrames.begin(), startFrames.end())) return std::nullopt;
    std::vector<std::vector<double>> sums;
    for (int64_t placement : HighestPeaks(fitter, kCutCandidates)) {
        sums.push_back(RunningMatch(fitter, placement));
    }
    int64_t from = startFrames[kLeastPartEntries - 1] + 1;
    int64_t to = startFrames[count - kLeastPartEntries];
    double bestScore = whole.Score * (1 + kCutGain);
    std::optional<int64_t> cutFrame;
    for (int64_t at = from; at <= to; ++at) {
        for (size_t a = 0; a < sums.size(); ++a) {
            for (size_t b = 0; b < sums.size(); ++b) {
                if (a == b) continue;
                double score = sums[a][at] + sums[b].back() - sums[b][at];
                if (score > bestScore) {
                    bestScore = score;
                    cutFrame = at;
                }
            }
        }
    }
    if (!cutFrame) return std::nullopt;
    auto entry = std::lower_bound(startFrames.begin(), startFrames.end(), *cutFrame);
    return Cut{static_cast<int32_t>(entry - startFrames.begin()), bestScore};
}

double RoundToDigits(double value, int digits) {
    if (value == 0) return 0;
    double scale = std::pow(10.0, digits - 1 - static_cast<int>(std::floor(std::log10(value))));
    return std::round(value * scale) / scale;
}

SyncPart ToPart(const Fit& fit, int frameMs, const SubtitleTrack& track, int32_t first) {
    SyncPart part;
    part.FirstEntry = first;
    part.FromMs = track.StartMs[first];
    part.Factor = RoundToDigits(fit.Factor, kFactorDigits);
    // The film shows scaled frame f at frame f + offset: the shift is minus that offset.
    double offsetMs = (fit.Placement - static_cast<double>(fit.FirstFrame)) * frameMs;
    part.Shift =
        static_cast<int32_t>(std::clamp(std::lround(-offsetMs), -2147483647L, 2147483647L));
    part.Confidence = fit.Confidence();
    return part;
}

size_t LongestSignal(const SubtitleTrack& track, int frameMs) {
    int64_t lowest = 0;
    int64_t highest = 0;
    for (int32_t i = 0; i < track.Count; ++i) {
        if (!InSignal(track.StartMs[i], track.EndMs[i])) continue;
        lowest = std::min<int64_t>(lowest, track.StartMs[i]);
        highest = std::max<int64_t>(highest, track.EndMs[i]);
    }
    return static_cast<size_t>(static_cast<double>(highest - lowest) * kHighestRatio / frameMs) + 4;
}

}  // namespace

Alignment AlignToSpeech(const std::vector<uint8_t>& filmSpeech, const SubtitleTrack& track) {
    Alignment alignment;
    int32_t count = std::min(track.Count, static_cast<int32_t>(track.StartMs.size()));
    if (count == 0 || filmSpeech.empty()) return alignment;

    Fitter coarse(filmSpeech, track, kCoarseFrames, LongestSignal(track, kFrameMs * kCoarseFrames));
    // A cut can hide the right ratio from one straight line: each ratio is judged by its
    // better shape, whole or cut.
    double ratio = 1;
    double bestScore = 0;
    std::vector<Range> ranges{{0, count}};
    for (double candidate : kRatios) {
        Fit fit = coarse.At(candidate, 0, count);
        std::optional<Cut> cut = FindCut(coarse, fit, track);
        double score = cut ? cut->Score : fit.Score;
        if (score <= bestScore) continue;
        bestScore = score;
        ratio = candidate;
        ranges = cut ? std::vector<Range>{{0, cut->Entry}, {cut->Entry, count}}
                     : std::vector<Range>{{0, count}};
    }
    coarse.At(ratio, 0, count);
    double coarseSpan = std::max<double>(1, static_cast<double>(coarse.Signal().Values.size()));
    double factor = coarse.Refine(ratio, ratio, ranges, kFirstStep, coarseSpan);

    Fitter fine(filmSpeech, track, 1, LongestSignal(track, kFrameMs));
    double fineSpan = coarseSpan * kCoarseFrames;
    double fineStep = kFinestShift / coarseSpan;
    factor = fine.Refine(ratio, factor, ranges, fineStep, fineSpan);
    std::optional<Cut> cut = FindCut(fine, fine.At(factor, 0, count), track);
    std::vector<Range> fineRanges = cut ? std::vector<Range>{{0, cut->Entry}, {cut->Entry, count}}
                                        : std::vector<Range>{{0, count}};
    if (fineRanges.size() != ranges.size() || fineRanges[0].End != ranges[0].End) {
        ranges = fineRanges;
        factor = fine.Refine(ratio, factor, ranges, fineStep, fineSpan);
    }
    for (const Range& range : ranges) {
        alignment.Parts.push_back(
            ToPart(fine.At(factor, range.First, range.End), kFrameMs, track, range.First));
    }
    alignment.Confidence = 1;
    for (const SyncPart& part : alignment.Parts) {
        alignment.Confidence = std::min(alignment.Confidence, part.Confidence);
    }
    return alignment;
}

}  // namespace orvalen
