#include "playback/OffsetMemory.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <unordered_set>

#include "files/FileIo.h"
#include "playback/TrackOffset.h"

namespace orvalen {

namespace {

constexpr std::string_view kHeader = "Orvalen subtitle offsets 1\n";

bool Escaped(unsigned char c) {
    return c < 0x20 || c == 0x7f || c == '%';
}

std::string EscapePath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (!Escaped(c)) {
            out += ch;
            continue;
        }
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

std::optional<std::string> UnescapePath(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 3 > text.size()) return std::nullopt;
        const auto [end, error] =
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc() || end != text.data() + i + 3) return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

template <typename Number>
bool ParseField(std::string_view field, Number& value) {
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size();
}

// offset TAB size TAB modification time TAB escaped path
std::optional<RememberedOffset> ParseLine(std::string_view line) {
    std::string_view fields[4];
    for (int i = 0; i < 3; ++i) {
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return std::nullopt;
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    fields[3] = line;
    RememberedOffset entry;
    std::optional<std::string> path = UnescapePath(fields[3]);
    if (!ParseField(fields[0], entry.OffsetMs) || !ParseField(fields[1], entry.File.Size) ||
        !ParseField(fields[2], entry.File.ModifiedNs) || !path || path->empty() ||
        entry.OffsetMs == 0 || std::llabs(int64_t{entry.OffsetMs}) > MaxTrackOffsetMs) {
        return std::nullopt;
    }
    entry.File.Path = std::move(*path);
    return entry;
}

std::string FormatLine(const RememberedOffset& entry) {
    return std::to_string(entry.OffsetMs) + '\t' + std::to_string(entry.File.Size) + '\t' +
           std::to_string(entry.File.ModifiedNs) + '\t' + EscapePath(entry.File.Path) + '\n';
}

// The state file's entries; false with the problem when it exists but cannot be used.
bool ReadState(const std::string& statePath, std::vector<RememberedOffset>& entries,
               std::string& problem) {
    std::string bytes;
    std::string error;
    const ReadStatus status = ReadWholeFile(statePath, bytes, error, MaxOffsetStateBytes);
    if (status == ReadStatus::Missing) return true;
    if (status == ReadStatus::Failed) {
        problem = statePath + ": " + error;
        return false;
    }
    bool known = false;
    entries = ParseOffsetState(bytes, known);
    if (!known) problem = statePath + ": not a file of subtitle offsets";
    return known;
}

}  // namespace

std::optional<SubtitleFileKey> SubtitleFileKeyOf(const std::string& path) {
    struct stat info;
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    SubtitleFileKey key;
    key.Path = error ? path : absolute.lexically_normal().string();
    key.Size = info.st_size;
    key.ModifiedNs = int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
    return key;
}

std::string OffsetStatePath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/orvalen/subtitle-offsets";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/orvalen/subtitle-offsets";
    return {};
}

std::vector<RememberedOffset> ParseOffsetState(std::string_view text, bool& known) {
    std::vector<RememberedOffset> lines;
    known = text.starts_with(kHeader);
    if (!known) return lines;
    text.remove_prefix(kHeader.size());
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        if (std::optional<RememberedOffset> entry = ParseLine(text.substr(0, end))) {
            lines.push_back(std::move(*entry));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    // Newest last: a file listed twice counts at its later place, and only the newest are
    // kept, found in one pass however many lines a damaged file holds.
    std::vector<RememberedOffset> entries;
    std::unordered_set<std::string> seen;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (entries.size() == MaxRememberedOffsets) break;
        const std::string key = FormatLine({line->File, 1});
        if (seen.insert(key).second) entries.push_back(std::move(*line));
    }
    std::reverse(entries.begin(), entries.end());
    return entries;
}

std::string FormatOffsetState(const std::vector<RememberedOffset>& entries) {
    // Newest first, as long as they fit.
    std::vector<std::string> lines;
    size_t bytes = kHeader.size();
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (lines.size() == MaxRememberedOffsets) break;
        std::string line = FormatLine(*entry);
        if (bytes + line.size() > MaxOffsetStateBytes) break;
        bytes += line.size();
        lines.push_back(std::move(line));
    }
    std::string text(kHeader);
    text.reserve(bytes);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) text += *line;
    return text;
}

OffsetRecall RecallOffset(const std::string& statePath, const SubtitleFileKey& file) {
    OffsetRecall recall;
    std::vector<RememberedOffset> entries;
    if (statePath.empty() || !ReadState(statePath, entries, recall.Problem)) return recall;
    for (const RememberedOffset& entry : entries) {
        if (entry.File == file) recall.OffsetMs = entry.OffsetMs;
    }
    return recall;
}

std::string RememberOffset(const std::string& statePath, const SubtitleFileKey& file,
                           int32_t offsetMs) {
    if (statePath.empty()) return "no place to keep them: neither XDG_STATE_HOME nor HOME is set";
    std::vector<RememberedOffset> entries;
    std::string problem;
    if (!ReadState(statePath, entries, problem)) return problem;
    const auto old =
        std::erase_if(entries, [&](const RememberedOffset& e) { return e.File == file; });
    if (offsetMs == 0 && old == 0) return {};
    if (offsetMs != 0) entries.push_back({file, offsetMs});
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(statePath).parent_path(), ignored);
    std::string error;
    if (!WriteFileAtomically(statePath, FormatOffsetState(entries), error)) {
        return statePath + ": " + error;
    }
    return {};
}

}  // namespace orvalen
