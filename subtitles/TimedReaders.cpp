#include "subtitles/TimedReaders.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvalen {

namespace {

constexpr size_t LongLineLimit = 1023;

bool IsDialogueLine(std::string_view line) {
    constexpr std::string_view dialogue = "dialogue";
    if (line.size() < dialogue.size()) return false;
    for (size_t i = 0; i < dialogue.size(); ++i) {
        char c = line[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != dialogue[i]) return false;
    }
    return true;
}

// Where the part of line after its nth comma starts, npos when it has fewer.
size_t CommaEnd(std::string_view line, int n) {
    size_t position = 0;
    for (int i = 0; i < n; ++i) {
        position = line.find(',', position);
        if (position == std::string_view::npos) return position;
        ++position;
    }
    return position;
}

// The part of line after its nth comma, empty when it has fewer.
std::string_view AfterComma(std::string_view line, int n) {
    size_t position = CommaEnd(line, n);
    return position == std::string_view::npos ? std::string_view() : line.substr(position);
}

int32_t Negated(int32_t value) {
    return static_cast<int32_t>(0u - static_cast<uint32_t>(value));
}

// The time h:m:s.cc read from field; "-0:00:01.47" reads hours 0, so a minus sign before the
// hours negates the whole time.
int32_t SignedClockTime(std::string_view field, int32_t h, int32_t m, int32_t s, int32_t c) {
    size_t first = std::min(field.find_first_not_of(" \t"), field.size());
    std::string_view sign = field.substr(first, 2);
    bool negative = sign.size() == 2 && sign[0] == '-' && sign[1] >= '0' && sign[1] <= '9';
    if (!negative) return ClockTime(h, m, s, c, 10);
    return Negated(ClockTime(Negated(h), m, s, c, 10));
}

// Keeps the bytes of an event line and of the lines before it, around the two times.
void KeepEventLine(SsaLayout& layout, std::string_view before, std::string_view line) {
    SsaEventLine event;
    event.Before = before;
    size_t lead = line.find(',') + 1;
    event.Lead = line.substr(0, lead);
    size_t fields = CommaEnd(line, 3);
    if (fields != std::string_view::npos) {
        size_t text = std::min(CommaEnd(line, 9), line.size());
        event.Fields = line.substr(fields - 1, text - fields + 1);
        event.Text = line.substr(text);
    } else if (line.back() == '\n') {
        event.Text = "\n";
    }
    layout.Events.push_back(std::move(event));
}

int32_t Minus500(int32_t time) {
    return static_cast<int32_t>(static_cast<uint32_t>(time) - 500u);
}

}  // namespace

void ReadSubStationAlpha(EntryAppender& entries, TextStream& stream, int32_t) {
    SsaLayout& layout = entries.KeptSsa();
    const char* kept = stream.Remaining().data();
    std::string_view current;
    std::string_view previous;
    bool ended = !stream.ReadLine(current, LongLineLimit);
    while (!ended && !IsDialogueLine(current)) ended = !stream.ReadLine(current);
    int32_t h = 0, m = 0, s = 0, c = 0;
    int32_t endH = 0, endM = 0, endS = 0, endC = 0;
    std::string text;
    while (!ended && current != previous) {
        if (current.find(',') == std::string_view::npos) {
            previous = current;
            ended = !stream.ReadLine(current);
            continue;
        }
        std::string_view times = AfterComma(current, 1);
        ScanText(times, "%d:%d:%d.%d,%d:%d:%d.%d", h, m, s, c, endH, endM, endS, endC);
        text = AfterComma(current, 9);
        size_t mark = text.find("/n");
        if (mark != std::string::npos) text.replace(mark, 2, " \n");
        if (entries.Append(SignedClockTime(times, h, m, s, c),
                           SignedClockTime(AfterComma(times, 1), endH, endM, endS, endC), text)) {
            KeepEventLine(layout, std::string_view(kept, current.data()), current);
            kept = current.data() + current.size();
        }
        previous = current;
        ended = !stream.ReadLine(current, LongLineLimit);
        while (!ended && !IsDialogueLine(current)) {
            previous = current;
            ended = !stream.ReadLine(current);
        }
    }
    std::string_view rest = stream.Remaining();
    layout.Trailer.assign(kept, rest.data() + rest.size());
}

void ReadPowerDivX(EntryAppender& entries, TextStream& stream, int32_t) {
    int32_t h = 0, m = 0, s = 0;
    int32_t endH = 0, endM = 0, endS = 0;
    std::string line;
    while (stream.Scan("{%d:%d:%d}{%d:%d:%d}", h, m, s, endH, endM, endS).Converted == 6) {
        stream.ReadLine(line);
        ReplaceFirst(line, '|', '\r');
        entries.Append(ClockTime(h, m, s), ClockTime(endH, endM, endS), line);
    }
}

void ReadTMPlayer(EntryAppender& entries, TextStream& stream, int32_t) {
    int32_t h = 0, m = 0, s = 0, tenths = 0;
    std::string text;
    std::string line;
    std::string previousText;
    while (stream.Scan("%d:%d:%d,%d=", h, m, s, tenths).Converted == 4) {
        int32_t start = ClockTime(h, m, s, tenths, 100);
        stream.ReadLine(text);
        ReplaceFirst(text, '|', '\n');
        // Each following record ends the subtitle before it; an empty one only ends it.
        stream.Scan("%d:%d:%d,%d=", h, m, s, tenths);
        int32_t next = ClockTime(h, m, s, tenths, 100);
        bool read = stream.ReadLine(line);
        previousText.clear();
        while (read && line != "\n" && line != previousText) {
            entries.Append(start, Minus500(next), text);
            ReplaceFirst(line, '|', '\n');
            text = line;
            start = next;
            previousText = line;
            stream.Scan("%d:%d:%d,%d=", h, m, s, tenths);
            next = ClockTime(h, m, s, tenths, 100);
            read = stream.ReadLine(line);
        }
        entries.Append(start, next, text);
    }
}

void ReadDks(EntryAppender& entries, TextStream& stream, int32_t) {
    int32_t h = 0, m = 0, s = 0;
    int32_t endH = 0, endM = 0, endS = 0;
    std::string line;
    while (stream.Scan("[%d:%d:%d]", h, m, s).Converted == 3) {
        stream.ReadLine(line);
        ReplaceBreakTag(line);
        stream.Scan("[%d:%d:%d]\n", endH, endM, endS);
        entries.Append(ClockTime(h, m, s), ClockTime(endH, endM, endS), line);
    }
}

void ReadViplay(EntryAppender& entries, TextStream& stream, int32_t) {
    std::string line;
    stream.ReadLine(line);
    int32_t h = 0, m = 0, s = 0, ms = 0;
    int32_t endH = 0, endM = 0, endS = 0, endMs = 0;
    while (
        stream.Scan("%d:%d:%d,%d-%d:%d:%d,%d=", h, m, s, ms, endH, endM, endS, endMs).Converted ==
        8) {
        stream.ReadLine(line);
        ReplaceFirst(line, '|', '\n');
        entries.Append(ClockTime(h, m, s, ms, 1), ClockTime(endH, endM, endS, endMs, 1), line);
    }
}

}  // namespace orvalen
