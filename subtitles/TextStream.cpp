#include "subtitles/TextStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace orvalen {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Advances position over white space; true when that ran into the end of the input.
bool SkipSpace(std::string_view input, size_t& position) {
    while (position < input.size() && IsSpace(input[position])) ++position;
    return position == input.size();
}

}  // namespace

ScanResult MatchPattern(std::string_view input, std::string_view pattern, int32_t* const* values,
                        size_t valueCount) {
    ScanResult result;
    size_t in = 0;
    size_t nextValue = 0;
    for (size_t p = 0; p < pattern.size(); ++p) {
        char directive = pattern[p];
        if (IsSpace(directive)) {
            if (SkipSpace(input, in)) result.ReachedEnd = true;
            continue;
        }
        if (directive == '%' && p + 1 < pattern.size() && pattern[p + 1] == 'd') {
            ++p;
            if (SkipSpace(input, in)) {
                result.ReachedEnd = true;
                break;
            }
            size_t digits = in;
            bool negative = false;
            if (input[digits] == '+' || input[digits] == '-') {
                negative = input[digits] == '-';
                ++digits;
            }
            if (digits == input.size()) {
                result.ReachedEnd = true;
                break;
            }
            if (!IsDigit(input[digits])) break;
            // Unsigned arithmetic wraps, so a number too long for 32 bits is taken modulo 2^32.
            uint32_t magnitude = 0;
            while (digits < input.size() && IsDigit(input[digits])) {
                magnitude = magnitude * 10u + static_cast<uint32_t>(input[digits] - '0');
                ++digits;
            }
            if (digits == input.size()) result.ReachedEnd = true;
            in = digits;
            if (negative) magnitude = 0u - magnitude;
            if (nextValue < valueCount) *values[nextValue++] = static_cast<int32_t>(magnitude);
            ++result.Converted;
            continue;
        }
        if (in == input.size()) {
            result.ReachedEnd = true;
            break;
        }
        if (input[in] != directive) break;
        ++in;
    }
    result.Consumed = in;
    return result;
}

TextStream::TextStream(std::string fileBytes) : text_(std::move(fileBytes)) {
    // Moves each run of bytes between CRs down once. A run of CRs before an LF is one line end
    // (CR CR LF comes from writing CR LF through a text-mode stream); any other CR is one too.
    char* bytes = text_.data();
    const size_t size = text_.size();
    size_t in = 0;
    size_t out = 0;
    while (in < size) {
        const void* cr = std::memchr(bytes + in, '\r', size - in);
        size_t end = cr ? static_cast<size_t>(static_cast<const char*>(cr) - bytes) : size;
        if (out != in) std::memmove(bytes + out, bytes + in, end - in);
        out += end - in;
        in = end;
        if (in == size) break;
        size_t crs = in;
        while (crs < size && bytes[crs] == '\r') ++crs;
        bytes[out++] = '\n';
        in = crs < size && bytes[crs] == '\n' ? crs + 1 : in + 1;
    }
    text_.resize(out);
}

bool TextStream::ReadLine(std::string_view& line, size_t limit) {
    if (position_ >= text_.size()) {
        line = {};
        return false;
    }
    size_t available = std::min(limit, text_.size() - position_);
    const char* begin = text_.data() + position_;
    const void* lf = std::memchr(begin, '\n', available);
    size_t length = lf ? static_cast<size_t>(static_cast<const char*>(lf) - begin) + 1 : available;
    line = std::string_view(begin, length);
    position_ += length;
    return length > 0;
}

int32_t ClockTime(int32_t h, int32_t m, int32_t s, int32_t f, int32_t unit) {
    uint32_t seconds = 3600u * static_cast<uint32_t>(h) + 60u * static_cast<uint32_t>(m) +
                       static_cast<uint32_t>(s);
    uint32_t ms = seconds * 1000u + static_cast<uint32_t>(f) * static_cast<uint32_t>(unit);
    return static_cast<int32_t>(ms);
}

int32_t FrameTime(int32_t n, int32_t frameRate) {
    // |n| x 1000000 stays below 2^52, so the product never overflows 64 bits.
    int64_t rate = std::max(frameRate, 1);
    int64_t ms = static_cast<int64_t>(n) * 1000000 / rate;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

void TextBlock(TextStream& stream, std::string& text) {
    std::string_view line;
    while (stream.ReadLine(line)) {
        if (line == "\n") return;
        text += line;
    }
}

void ReplaceFirst(std::string& text, char from, char to) {
    size_t found = text.find(from);
    if (found != std::string::npos) text[found] = to;
}

void ReplaceBreakTag(std::string& text) {
    size_t found = text.find("[br]");
    if (found == std::string::npos) found = text.find("[BR]");
    if (found != std::string::npos) text.replace(found, 4, "   \n");
}

int32_t ReadNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min<int64_t>(value, kLimit - 1));
}

}  // namespace orvalen
