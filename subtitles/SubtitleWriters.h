#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "subtitles/FileFilter.h"
#include "subtitles/Markup.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The formats a track can be saved in.
enum class SaveFormat { SubRip, WebVtt, Ass, MicroDvd };

struct SaveFormatRow {
    SaveFormat Format;
    std::string_view Name;    // "srt": the file extension without its dot, and convert's --to
    const char* Description;  // "SubRip": the save dialog's type, before its pattern
};

// SubRip first: the format Save writes.
std::span<const SaveFormatRow> SaveFormats();

// The row whose extension path ends with (ASCII case ignored); null when none does.
const SaveFormatRow* SaveFormatOfPath(std::string_view path);

// The row of a Name; null for any other text.
const SaveFormatRow* SaveFormatNamed(std::string_view name);

// A save dialog's types: one filter per row, in table order.
FileFilters SaveFormatFilters();

// What the writers need to know of where a track's texts came from.
struct TrackSource {
    MarkupFamily Markup = MarkupFamily::SubRip;  // the markup of the reader that filled it
    int32_t FrameRate = 0;  // the film's, in thousandths of frames per second; 0: unknown
};

// Appends track to out in format. Texts whose markup is the target's own keep their bytes
// (SubRip's exactly as WriteSubRip writes them; WebVTT's decoded to UTF-8); others are decoded
// to UTF-8 and their styling rewritten in the target's markup where it has one. A track read
// from .ssa/.ass keeps its file's lines around the times in Advanced SubStation Alpha. MicroDVD
// counts frames at source.FrameRate (the default rate when 0). Negative times are written as 0.
void WriteSubtitles(const SubtitleTrack& track, SaveFormat format, const TrackSource& source,
                    std::string& out);

// WriteSubtitles to the file at path, replaced atomically as SaveSubRipFile does. False, with
// the reason in error, when the file cannot be written.
bool SaveSubtitleFile(const SubtitleTrack& track, const std::string& path, SaveFormat format,
                      const TrackSource& source, std::string& error);

}  // namespace orvalen
