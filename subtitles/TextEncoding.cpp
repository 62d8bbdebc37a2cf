#include "subtitles/TextEncoding.h"

#include <iconv.h>
#include <uchardet.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "subtitles/CodePageCheck.h"

namespace orvalen {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr char32_t Replacement = 0xFFFD;
// uchardet costs about a microsecond a byte: it sees only a sample of the lines that hold
// non-ASCII bytes, each with the two lines after it for context, up to this size.
constexpr size_t DetectionSample = 4 * 1024;
constexpr int ContextLines = 2;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Utf16ToUtf8(std::string_view units, bool bigEndian) {
    std::string out;
    out.reserve(units.size());
    auto unitAt = [&](size_t i) -> char16_t {
        auto first = static_cast<uint8_t>(units[i]);
        auto second = static_cast<uint8_t>(units[i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    size_t i = 0;
    while (i + 1 < units.size()) {
        char16_t unit = unitAt(i);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size()) {
            char16_t low = unitAt(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? Replacement : unit);
    }
    if (i < units.size()) AppendUtf8(out, Replacement);
    return out;
}

bool HasNonAscii(std::string_view text) {
    size_t i = 0;
    for (; text.size() - i >= 8; i += 8) {
        uint64_t block;
        std::memcpy(&block, text.data() + i, 8);
        if (block & 0x8080808080808080u) return true;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<uint8_t>(text[i]) >= 0x80) return true;
    }
    return false;
}

std::string DetectionSampleOf(std::string_view bytes) {
    std::string sample;
    int keep = 0;
    size_t position = 0;
    while (position < bytes.size() && sample.size() < DetectionSample) {
        size_t lf = bytes.find('\n', position);
        size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        std::string_view line = bytes.substr(position, end - position);
        if (HasNonAscii(line)) keep = ContextLines + 1;
        if (keep > 0) {
            sample += line.substr(0, DetectionSample);
            --keep;
        }
        position = end;
    }
    return sample;
}

// The text is not UTF-8, so an "ASCII" guess cannot be right; Latin-1 files are in fact
// Windows-1252, which only adds printable characters where Latin-1 has control codes.
std::string SingleByteName(std::string name) {
    if (name.empty() || name == "ASCII" || name == "ISO-8859-1") return "WINDOWS-1252";
    return name;
}

// ASCII text in UTF-16 has a NUL high byte beside each character; 8-bit text has no NULs.
// Counted over the first units only: a subtitle file's timings are ASCII from the start.
constexpr size_t Utf16Sample = 4096;

bool LooksLikeUtf16(std::string_view units, bool bigEndian, bool marked) {
    units = units.substr(0, Utf16Sample);
    size_t count = 0, ownOrder = 0, otherOrder = 0;
    for (size_t i = 0; i + 1 < units.size(); i += 2, ++count) {
        const bool firstNul = units[i] == '\0', secondNul = units[i + 1] == '\0';
        if (firstNul != secondNul) ++(firstNul == bigEndian ? ownOrder : otherOrder);
    }
    // After a byte-order mark the bytes only have to lean to its order; without one, a
    // quarter of the units must be ASCII in one order and hardly any in the other.
    if (marked) return count == 0 || ownOrder > otherOrder;
    return count > 0 && ownOrder * 4 >= count && otherOrder * 8 <= ownOrder;
}

}  // namespace

void DecodeByteOrderMark(std::string& fileBytes) {
    std::string_view bytes = fileBytes;
    if (bytes.substr(0, 3) == Utf8Mark) {
        fileBytes.erase(0, 3);
        return;
    }
    for (bool bigEndian : {false, true}) {
        const std::string_view mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        const bool marked = bytes.substr(0, 2) == mark;
        const std::string_view units = marked ? bytes.substr(2) : bytes;
        if (LooksLikeUtf16(units, bigEndian, marked)) {
            fileBytes = Utf16ToUtf8(units, bigEndian);
            return;
        }
    }
}

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t size = bytes.size();
    while (i < size) {
        // Runs of ASCII, the bulk of most files, are checked eight bytes at a time.
        while (size - i >= 8) {
            uint64_t block;
            std::memcpy(&block, bytes.data() + i, 8);
            if (block & 0x8080808080808080u) break;
            i += 8;
        }
        if (i == size) break;
        auto lead = static_cast<uint8_t>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        char32_t c;
        char32_t minimum;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, c = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, c = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, c = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (size - i < length) return false;
        for (size_t k = 1; k < length; ++k) {
            auto next = static_cast<uint8_t>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

std::string DetectEncoding(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return "UTF-8";
    std::string sample = DetectionSampleOf(bytes);
    std::string name;
    uchardet_t detector = uchardet_new();
    if (detector) {
        if (uchardet_handle_data(detector, sample.data(), sample.size()) == 0) {
            uchardet_data_end(detector);
            const char* charset = uchardet_get_charset(detector);
            if (charset) name = charset;
        }
        uchardet_delete(detector);
    }
    return SingleByteName(CheckDosCodePage(sample, name));
}

bool ConvertToUtf8(std::string_view bytes, const std::string& encoding, std::string& utf8) {
    iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string out;
    char buffer[4096];
    // iconv does not write to its input.
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* next = buffer;
        size_t room = sizeof buffer;
        size_t result = iconv(converter, &in, &inLeft, &next, &room);
        out.append(buffer, static_cast<size_t>(next - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or truncated sequence: one replacement character for its first byte.
            AppendUtf8(out, Replacement);
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    // A stateful encoding may owe a last shift back.
    char* next = buffer;
    size_t room = sizeof buffer;
    iconv(converter, nullptr, nullptr, &next, &room);
    out.append(buffer, static_cast<size_t>(next - buffer));
    iconv_close(converter);
    utf8 = std::move(out);
    return true;
}

}  // namespace orvalen
