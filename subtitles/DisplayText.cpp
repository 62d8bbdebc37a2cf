#include "subtitles/DisplayText.h"

#include <iconv.h>

#include <cstdint>
#include <vector>

#include "subtitles/TextEncoding.h"

namespace orvalen {

namespace {

// False when iconv does not know the encoding or the bytes are not valid in it.
bool DecodeWithIconv(std::string_view bytes, const std::string& encoding, std::string& text) {
    iconv_t converter = iconv_open("UTF-8", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> out(bytes.size() * 4 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) return false;
    text.assign(out.data(), out.size() - outLeft);
    return true;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto code = static_cast<uint8_t>(byte);
        if (code < 0x80) {
            text += byte;
        } else {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

std::string Decode(std::string_view bytes, const std::string& encoding) {
    std::string text;
    const bool utf8Named = encoding == "UTF-8" || encoding == "utf-8" || encoding == "ASCII";
    if ((utf8Named || encoding.empty()) && IsValidUtf8(bytes)) return std::string(bytes);
    if (!encoding.empty() && !utf8Named && DecodeWithIconv(bytes, encoding, text)) return text;
    if (DecodeWithIconv(bytes, "WINDOWS-1252", text)) return text;
    return Latin1ToUtf8(bytes);
}

// White space as a text widget counts it: the Unicode separators, the controls tab to
// carriage return and the next-line control.
bool IsWhiteSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// Drops the white space at the end of valid UTF-8 text.
void TrimTrailingWhiteSpace(std::string& text) {
    while (!text.empty()) {
        size_t start = text.size() - 1;
        while (start > 0 && (static_cast<uint8_t>(text[start]) & 0xC0) == 0x80) --start;
        const auto lead = static_cast<uint8_t>(text[start]);
        const size_t length = text.size() - start;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            c = (c << 6) | (static_cast<uint8_t>(text[start + k]) & 0x3F);
        }
        if (!IsWhiteSpace(c)) return;
        text.erase(start);
    }
}

}  // namespace

std::string DisplayText(std::string_view bytes, const std::string& encoding) {
    const std::string decoded = Decode(bytes, encoding);
    std::string text;
    text.reserve(decoded.size());
    for (size_t i = 0; i < decoded.size(); ++i) {
        const char c = decoded[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < decoded.size() && decoded[i + 1] == '\n') ++i;
            while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
            text += '\n';
        } else {
            text += c;
        }
    }
    TrimTrailingWhiteSpace(text);
    return text;
}

}  // namespace orvalen
