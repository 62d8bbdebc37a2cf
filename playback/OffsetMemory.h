#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalen {

// A subtitle file as the remembered offsets know it: the same path with another size or
// modification time is another file (it was edited or saved over).
struct SubtitleFileKey {
    std::string Path;  // absolute
    int64_t Size = 0;
    int64_t ModifiedNs = 0;

    bool operator==(const SubtitleFileKey&) const = default;
};

struct RememberedOffset {
    SubtitleFileKey File;
    int32_t OffsetMs = 0;
};

// The state file keeps at most this many files, the least recently changed dropped first, and
// never grows past MaxOffsetStateBytes; a larger file is not read.
constexpr size_t MaxRememberedOffsets = 3000;
constexpr size_t MaxOffsetStateBytes = size_t{2} << 20;

// The key of the regular file at path; nothing for anything else.
std::optional<SubtitleFileKey> SubtitleFileKeyOf(const std::string& path);

// $XDG_STATE_HOME/orvalen/subtitle-offsets, ~/.local/state/orvalen/subtitle-offsets when that
// is unset or not absolute; empty without a home either.
std::string OffsetStatePath();

// The entries of a state file's text, oldest first. Text that does not start with the state
// file's header line yields nothing and known false; a line that does not parse is skipped.
std::vector<RememberedOffset> ParseOffsetState(std::string_view text, bool& known);
// The text of a state file holding entries, oldest first; the oldest are left out past
// MaxRememberedOffsets or MaxOffsetStateBytes.
std::string FormatOffsetState(const std::vector<RememberedOffset>& entries);

// What the state file at statePath remembers for file: the offset, or nothing. Problem says
// why the file could not be used, when it exists but cannot be read or is not a state file.
struct OffsetRecall {
    std::optional<int32_t> OffsetMs;
    std::string Problem;
};
OffsetRecall RecallOffset(const std::string& statePath, const SubtitleFileKey& file);

// Records offsetMs for file in the state file at statePath (0 forgets the file), read again
// first so that other entries written meanwhile are kept, and replaced whole. A state file
// that cannot be read, or is not one, is left as it is. Returns why nothing was written, or
// empty.
std::string RememberOffset(const std::string& statePath, const SubtitleFileKey& file,
                           int32_t offsetMs);

}  // namespace orvalen
