#include "subtitles/TxtReaders.h"

#include <cstdint>
#include <string_view>

namespace orvalen {

namespace {

constexpr size_t TxtLineLimit = 1023;

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\n\r\v\f") == std::string_view::npos;
}

int32_t Negated(int32_t value) {
    return static_cast<int32_t>(0u - static_cast<uint32_t>(value));
}

// "[-]h:mm:ss:" or "[-]h:mm:ss=" at the start of line: its time and the text after it.
bool ClassicRecord(std::string_view line, int32_t& time, std::string_view& text) {
    int32_t h = 0, m = 0, s = 0;
    ScanResult match = ScanText(line, "%d:%d:%d", h, m, s);
    if (match.Converted != 3 || match.Consumed >= line.size()) return false;
    char separator = line[match.Consumed];
    if (separator != ':' && separator != '=') return false;
    // "-0:00:07" reads hours 0: the sign belongs to the whole time.
    size_t first = line.find_first_not_of(" \t\n\v\f\r");
    bool negative = line[first] == '-';
    if (negative) h = Negated(h);
    time = ClockTime(h, m, s);
    if (negative) time = Negated(time);
    text = line.substr(match.Consumed + 1);
    return true;
}

// "[start][end]" at the start of line: its times and the text after it; start and end are
// only written when the line is a record.
bool Mpl2Record(std::string_view line, int32_t& start, int32_t& end, std::string_view& text) {
    int32_t first = 0, second = 0;
    ScanResult match = ScanText(line, "[%d][%d]", first, second);
    if (match.Converted != 2 || line[match.Consumed - 1] != ']') return false;
    start = static_cast<int32_t>(static_cast<uint32_t>(first) * 100u);
    end = static_cast<int32_t>(static_cast<uint32_t>(second) * 100u);
    text = line.substr(match.Consumed);
    return true;
}

// The first line that is not blank, empty at the end of the file.
std::string_view FirstRecord(TextStream& stream) {
    std::string_view line;
    while (stream.ReadLine(line, TxtLineLimit) && IsBlankLine(line)) {
    }
    return line;
}

int32_t ClassicEnd(int32_t start, int32_t next) {
    int64_t shown = static_cast<int64_t>(next) - start;
    if (shown > 0 && shown <= ClassicTMPlayerLongestShow) return next;
    return static_cast<int32_t>(static_cast<uint32_t>(start) + ClassicTMPlayerLongestShow);
}

}  // namespace

TxtLayout DetectTxtLayout(TextStream& stream) {
    int32_t h = 0, m = 0, s = 0, tenths = 0;
    bool specified = stream.Scan("%d:%d:%d,%d=", h, m, s, tenths).Converted == 4;
    stream.Rewind();
    if (specified) return TxtLayout::TMPlayer;
    std::string_view line = FirstRecord(stream);
    int32_t time = 0, end = 0;
    std::string_view text;
    TxtLayout layout = TxtLayout::TMPlayer;
    if (Mpl2Record(line, time, end, text))
        layout = TxtLayout::Mpl2;
    else if (ClassicRecord(line, time, text))
        layout = TxtLayout::TMPlayerClassic;
    stream.Rewind();
    return layout;
}

void ReadTMPlayerClassic(SubtitleTrack& track, TextStream& stream) {
    ResetTrack(track);
    bool open = false;  // the entry at Cursor waits for the next record to end it
    std::string_view line;
    while (stream.ReadLine(line, TxtLineLimit)) {
        if (IsBlankLine(line)) continue;
        int32_t time = 0;
        std::string_view text;
        if (!ClassicRecord(line, time, text)) break;
        if (open) {
            track.EndMs[track.Cursor] = ClassicEnd(track.StartMs[track.Cursor], time);
            NextEntry(track);
            open = false;
        }
        if (IsBlankLine(text)) continue;
        if (!HasRoom(track)) break;
        track.StartMs[track.Cursor] = time;
        track.Texts[track.Cursor] = text;
        open = true;
    }
    if (open) {
        const int32_t start = track.StartMs[track.Cursor];
        track.EndMs[track.Cursor] = ClassicEnd(start, start);
        NextEntry(track);
    }
    track.Cursor = 0;
}

void ReadMpl2(SubtitleTrack& track, TextStream& stream) {
    ResetTrack(track);
    std::string_view line;
    while (HasRoom(track) && stream.ReadLine(line, TxtLineLimit)) {
        if (IsBlankLine(line)) continue;
        std::string_view text;
        if (!Mpl2Record(line, track.StartMs[track.Cursor], track.EndMs[track.Cursor], text)) break;
        track.Texts[track.Cursor] = text;
        NextEntry(track);
    }
    track.Cursor = 0;
}

}  // namespace orvalen
