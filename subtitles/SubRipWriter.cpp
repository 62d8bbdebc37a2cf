#include "subtitles/SubRipWriter.h"

#include <string_view>

#include "files/FileIo.h"

namespace orvalen {

namespace {

// Writes value with at least width digits (zeros in front) ending just before end; returns
// where the digits start.
char* FormatNumber(char* end, uint32_t value, int width) {
    char* p = end;
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
        --width;
    } while (value != 0 || width > 0);
    return p;
}

void AppendNumber(std::string& out, uint32_t value) {
    char digits[16];
    char* end = digits + sizeof digits;
    char* start = FormatNumber(end, value, 1);
    out.append(start, end);
}

// "%s\n" through a text-mode stream: every LF of the line and the one added become CR LF.
void AppendLine(std::string& out, std::string_view text) {
    size_t start = 0;
    while (true) {
        size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) break;
        out.append(text.substr(start, lf - start));
        out += "\r\n";
        start = lf + 1;
    }
    out.append(text.substr(start));
    out += "\r\n";
}

void AppendTimeText(std::string& out, int32_t t) {
    uint32_t ms = t < 0 ? 0u : static_cast<uint32_t>(t);
    uint32_t h = ms / 3600000;
    uint32_t m = (ms - 3600000 * h) / 60000;
    uint32_t s = (ms - 3600000 * h - 60000 * m) / 1000;
    uint32_t f = ms - 3600000 * h - 60000 * m - 1000 * s;
    char text[32];
    char* end = text + sizeof text;
    char* p = FormatNumber(end, f, 3);
    *--p = ',';
    p = FormatNumber(p, s, 2);
    *--p = ':';
    p = FormatNumber(p, m, 2);
    *--p = ':';
    p = FormatNumber(p, h, 1);
    out.append(p, end);
}

}  // namespace

void AppendSubRipEntry(std::string& out, int32_t number, int32_t startMs, int32_t endMs,
                       std::string_view text) {
    AppendNumber(out, static_cast<uint32_t>(number));
    out += "\r\n";
    AppendTimeText(out, startMs);
    out += " --> ";
    AppendTimeText(out, endMs);
    out += "\r\n";
    size_t cr = text.find('\r');
    if (cr != std::string_view::npos && cr + 1 < text.size()) {
        AppendLine(out, text.substr(0, cr));
        AppendLine(out, text.substr(cr + 1));
    } else {
        AppendLine(out, text);
    }
}

std::string SubRipTimeText(int32_t t) {
    std::string text;
    AppendTimeText(text, t);
    return text;
}

int32_t WriteSubRip(SubtitleTrack& track, std::string& out) {
    size_t expected = out.size();
    for (int32_t i = 0; i < track.Count && i < TrackCapacity; ++i) {
        expected += 48 + track.Texts[i].size() + track.Texts[i].size() / 16;
    }
    out.reserve(expected);
    for (track.Cursor = 0; track.Cursor < track.Count && track.Cursor < TrackCapacity;
         ++track.Cursor) {
        const int32_t i = track.Cursor;
        AppendSubRipEntry(out, i + 1, track.StartMs[i], track.EndMs[i], track.Texts[i]);
    }
    track.Cursor = track.Count;
    return track.Count;
}

bool SaveSubRipFile(SubtitleTrack& track, const std::string& path, std::string& error) {
    std::string bytes;
    WriteSubRip(track, bytes);
    return WriteFileAtomically(path, bytes, error);
}

}  // namespace orvalen
