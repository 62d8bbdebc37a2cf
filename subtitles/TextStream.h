#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvalen {

// Longest line a line read returns unless a reader says otherwise; a longer line is cut there
// and its remainder comes back as the next line.
constexpr size_t LineLimit = 254;

// The outcome of matching a scanf-style pattern.
struct ScanResult {
    int Converted = 0;        // values converted, as scanf counts them
    bool ReachedEnd = false;  // the match tried to read past the end of the input
    size_t Consumed = 0;      // bytes the match consumed
};

// Matches a scanf-style pattern ("%d", white space, literal characters) against the start of
// input. "%d" skips white space and reads an optionally signed decimal integer; digits beyond
// 32 bits wrap. A white-space character matches any run of white space, or none. Any other
// character must equal the next input byte. Matching stops at the first difference, which
// stays unconsumed. Values not converted keep their previous contents.
ScanResult MatchPattern(std::string_view input, std::string_view pattern, int32_t* const* values,
                        size_t valueCount);

// MatchPattern on a line already read (sscanf).
template <typename... Values>
ScanResult ScanText(std::string_view text, std::string_view pattern, Values&... values) {
    std::array<int32_t*, sizeof...(Values)> targets{&values...};
    return MatchPattern(text, pattern, targets.data(), targets.size());
}

// Reads a number as atoi does: leading blanks, an optional sign, then digits; 0 without
// digits. Values beyond the 32-bit range saturate.
int32_t ReadNumber(std::string_view text);

// A subtitle file opened for reading as text: CR LF, CR alone (old Mac files) and CR CR LF
// each read as one LF. Reads come from a buffer holding the whole file.
class TextStream {
  public:
    // Takes the file's bytes and converts their line ends in place.
    explicit TextStream(std::string fileBytes);

    // Reads bytes up to and including the next LF, at most limit bytes. False, with line
    // emptied, when the end of the file gives no byte. The view stays valid with the stream.
    bool ReadLine(std::string_view& line, size_t limit = LineLimit);
    bool ReadLine(std::string& line, size_t limit = LineLimit) {
        std::string_view view;
        bool read = ReadLine(view, limit);
        line.assign(view);
        return read;
    }

    // fscanf: consumes exactly what the pattern matched.
    template <typename... Values>
    ScanResult Scan(std::string_view pattern, Values&... values) {
        ScanResult result = ScanText(Remaining(), pattern, values...);
        position_ += result.Consumed;
        return result;
    }

    void Rewind() { position_ = 0; }
    // Moves on by count bytes, at most to the end.
    void Skip(size_t count) { position_ += std::min(count, text_.size() - position_); }
    bool AtEnd() const { return position_ >= text_.size(); }
    std::string_view Remaining() const { return std::string_view(text_).substr(position_); }

  private:
    std::string text_;
    size_t position_ = 0;
};

// (3600 h + 60 m + s) x 1000 + f x unit milliseconds, wrapping in 32 bits.
int32_t ClockTime(int32_t h, int32_t m, int32_t s, int32_t f = 0, int32_t unit = 0);

// Frame n at frameRate thousandths of frames per second: n x 1000000 / frameRate milliseconds,
// truncated toward zero, computed in 64 bits and then wrapped to 32 bits like every time. A
// rate below 1 counts as 1 so that it cannot divide by zero.
int32_t FrameTime(int32_t n, int32_t frameRate);

// Appends the lines that follow a time line to text, LF included, up to the first empty line
// or the end of the file. The empty line is not stored.
void TextBlock(TextStream& stream, std::string& text);

// Replaces the first occurrence of from in text by to.
void ReplaceFirst(std::string& text, char from, char to);

// Overwrites the first "[br]", or if there is none the first "[BR]", with three spaces and LF.
void ReplaceBreakTag(std::string& text);

}  // namespace orvalen
