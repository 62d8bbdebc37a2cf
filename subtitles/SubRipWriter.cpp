#include "subtitles/SubRipWriter.h"

#include <charconv>
#include <string_view>

#include "subtitles/FileIo.h"

namespace orvalen {

namespace {

void AppendNumber(std::string& out, int64_t value, int width) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    (void)ec;
    for (int pad = width - static_cast<int>(end - digits); pad > 0; --pad) out += '0';
    out.append(digits, end);
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
    if (t < 0) t = 0;
    int32_t h = t / 3600000;
    int32_t m = (t - 3600000 * h) / 60000;
    int32_t s = (t - 3600000 * h - 60000 * m) / 1000;
    int32_t f = t - 3600000 * h - 60000 * m - 1000 * s;
    AppendNumber(out, h, 1);
    out += ':';
    AppendNumber(out, m, 2);
    out += ':';
    AppendNumber(out, s, 2);
    out += ',';
    AppendNumber(out, f, 3);
}

}  // namespace

std::string SubRipTimeText(int32_t t) {
    std::string text;
    AppendTimeText(text, t);
    return text;
}

int32_t WriteSubRip(SubtitleTrack& track, std::string& out) {
    for (track.Cursor = 0; track.Cursor < track.Count && track.Cursor < TrackCapacity;
         ++track.Cursor) {
        int32_t i = track.Cursor;
        AppendNumber(out, static_cast<int64_t>(i) + 1, 1);
        out += "\r\n";
        AppendTimeText(out, track.StartMs[i]);
        out += " --> ";
        AppendTimeText(out, track.EndMs[i]);
        out += "\r\n";
        std::string_view text = track.Texts[i];
        size_t cr = text.find('\r');
        if (cr != std::string_view::npos && cr + 1 < text.size()) {
            AppendLine(out, text.substr(0, cr));
            AppendLine(out, text.substr(cr + 1));
        } else {
            AppendLine(out, text);
        }
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
