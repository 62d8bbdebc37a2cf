#include "autosync/AutoSync.h"

#include <cmath>

#include "autosync/FilmSpeech.h"
#include "autosync/SubtitleSignal.h"
#include "resync/Resynchronisation.h"

namespace orvalen {

namespace {

// Decoding takes nearly all the time; the alignment gets the last share of the bar.
constexpr double kDecodingShare = 0.9;

bool HasTimedEntry(const SubtitleTrack& track) {
    for (int32_t i = 0; i < track.Count && i < static_cast<int32_t>(track.StartMs.size()); ++i) {
        if (InSignal(track.StartMs[i], track.EndMs[i])) return true;
    }
    return false;
}

}  // namespace

SoundSync SynchroniseWithSound(const std::string& filmPath, const SubtitleTrack& track,
                               const std::function<void(double)>& progress,
                               const std::atomic<bool>& stop) {
    SoundSync sync;
    if (!HasTimedEntry(track)) {
        sync.Error = "the subtitle file has no subtitles to synchronise";
        return sync;
    }
    FilmSpeech speech = DetectFilmSpeech(
        filmPath,
        [&](double done) {
            if (progress) progress(done * kDecodingShare);
        },
        stop);
    if (speech.Cancelled) {
        sync.Cancelled = true;
        return sync;
    }
    if (!speech.Error.empty()) {
        sync.Error = speech.Error;
        return sync;
    }
    sync.Result = AlignToSpeech(speech.Frames, track);
    sync.ConfidencePercent = static_cast<int>(std::floor(sync.Result.Confidence * 100));
    if (stop.load()) sync.Cancelled = true;
    if (progress) progress(1);
    return sync;
}

void ApplySoundSync(SubtitleTrack& track, const Alignment& alignment) {
    const std::vector<SyncPart>& parts = alignment.Parts;
    for (size_t k = 0; k < parts.size(); ++k) {
        int32_t end = k + 1 < parts.size() ? parts[k + 1].FirstEntry : track.Count;
        ApplyResync(track, parts[k].Factor, parts[k].Shift, parts[k].FirstEntry, end);
    }
}

std::vector<std::string> SoundSyncLines(const Alignment& alignment,
                                        std::string_view decimalSeparator) {
    std::vector<std::string> lines;
    for (const SyncPart& part : alignment.Parts) {
        std::string line = ResyncStatusText(part.Factor, part.Shift, decimalSeparator);
        if (alignment.Parts.size() > 1) line += "   from " + std::to_string(part.FromMs);
        lines.push_back(line);
    }
    return lines;
}

std::string SoundSyncStatus(const SoundSync& sync, std::string_view decimalSeparator) {
    std::string status;
    for (const std::string& line : SoundSyncLines(sync.Result, decimalSeparator)) {
        status += (status.empty() ? "" : "; ") + line;
    }
    if (sync.Result.Parts.size() > 1) {
        status += "   parts: " + std::to_string(sync.Result.Parts.size());
    }
    return status + "   confidence: " + std::to_string(sync.ConfidencePercent) + "%";
}

}  // namespace orvalen
