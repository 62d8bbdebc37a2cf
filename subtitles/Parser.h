#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "subtitles/ReaderTable.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

constexpr int32_t DefaultFrameRate = 23976;

// Supplies a film's frame rate in thousandths of frames per second, 0 when unknown.
// The window asks the media layer; the command-line tool answers from its options.
class FrameRateProvider {
  public:
    virtual ~FrameRateProvider() = default;
    virtual int32_t GetFrameRate(const std::string& moviePath) = 0;
};

// The main-window state a load reads and writes.
struct LoaderState {
    int32_t FrameRate = 0;  // 0: not obtained since the film was opened
    bool SubtitleFormatUnknown = false;
    std::string MoviePath;
};

// What a load did, for the caller to show.
struct LoadReport {
    SubtitleReaderId Reader = SubtitleReaderId::None;
    // False when the file could not be opened (OpenError says why). A file whose extension has
    // a reader then leaves the track and the state unchanged and the loader shows nothing; an
    // extension without a reader sets SubtitleFormatUnknown all the same.
    bool Opened = false;
    std::string OpenError;
    // "FrameRate = N" when FrameRate is known after the load (the status panel's text),
    // otherwise empty.
    std::string FrameRateStatus;
    // Entries the reader found beyond the track's capacity, which were left out.
    int64_t Dropped = 0;
};

// The extension of the file name in path: from the last dot of the name, dot included; empty
// when the name has no dot.
std::string_view FileExtension(std::string_view path);

// Reads the file at path into track, choosing the reader by extension and, where an extension
// has several layouts, by the file's first bytes (ChooseReader). A UTF-8 byte-order mark is skipped
// and UTF-16 converted to UTF-8 first; track.Encoding names the texts' encoding. Obtains the frame
// rate through frameRates (may be null) when the reader counts frames and state.FrameRate is 0.
// Never throws. The caller re-aligns the track index (ResyncIndex) and shows FrameRateStatus
// afterwards.
LoadReport LoadSubtitleFile(const std::string& path, SubtitleTrack& track, LoaderState& state,
                            FrameRateProvider* frameRates);

// LoadSubtitleFile on a file already read: path gives the extension, fileBytes the content.
LoadReport LoadSubtitleBytes(std::string_view path, std::string_view fileBytes,
                             SubtitleTrack& track, LoaderState& state,
                             FrameRateProvider* frameRates);

}  // namespace orvalen
