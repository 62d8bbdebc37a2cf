#pragma once

// The pieces ParseMarkup is built from; not for use outside subtitles/.

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "subtitles/Markup.h"

namespace orvalen::markup {

// Collects lines of runs in the current style.
class RunBuilder {
  public:
    void SetStyle(const TextStyle& style) { style_ = style; }
    void Append(std::string_view text);
    // Ends the current line, dropping its trailing blanks.
    void Break();
    // True until text is appended to the current line.
    bool AtLineStart() const { return atLineStart_; }
    std::vector<StyledLine> Finish();

  private:
    std::vector<StyledLine> lines_ = std::vector<StyledLine>(1);
    TextStyle style_;
    bool atLineStart_ = true;
};

// The part of rest from its first byte up to and including the first close, when close
// comes before the end of the line and within limit bytes; empty otherwise.
std::string_view Enclosed(std::string_view rest, char close, size_t limit = 512);

// Enclosed for one text read from its start to its end. A search remembers where it stopped,
// and every later opening before that stop reuses it, so a line full of openings without
// their close is looked at once rather than once per opening.
class EnclosedFinder {
  public:
    std::string_view Find(std::string_view rest, char close, size_t limit = 512);

  private:
    struct Stop {
        char close = 0;
        const char* from = nullptr;
        const char* at = nullptr;  // the close, a line end or the text's end
    };
    std::array<Stop, 3> stops_{};  // one for each close a family looks for
};

// One family's markup. The driver hands it the text at each of its trigger bytes.
class MarkupRules {
  public:
    virtual ~MarkupRules() = default;
    // The bytes that may start markup (besides CR and LF, which the driver handles).
    virtual std::string_view Triggers() const = 0;
    // Reads the markup at the start of rest (which starts with a trigger byte) into out and
    // returns its length, or 0 when rest starts with ordinary text.
    virtual size_t Read(std::string_view rest, RunBuilder& out) = 0;
    // Called after every line break, including those the rules make themselves.
    virtual void LineBroken(RunBuilder&) {}

  protected:
    std::string_view FindEnclosed(std::string_view rest, char close, size_t limit = 512) {
        return enclosed_.Find(rest, close, limit);
    }
    void BreakLine(RunBuilder& out) {
        out.Break();
        LineBroken(out);
    }

  private:
    EnclosedFinder enclosed_;
};

std::unique_ptr<MarkupRules> MakeHtmlRules(bool webVtt);
std::unique_ptr<MarkupRules> MakeSsaRules();
std::unique_ptr<MarkupRules> MakeMicroDvdRules();

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Parses hex digits (at most 8, all of text) into value.
bool ParseHex(std::string_view text, uint32_t& value);

// SSA colour digits "BBGGRR" (an alpha byte before them is ignored) to 0xRRGGBB.
uint32_t SwapBlueRed(uint32_t bgr);

// SSA override codes: the text between "{" and "}". Applies \b \i \u \c \1c and \r to style;
// every other code is ignored.
void ApplyOverrideCodes(std::string_view codes, TextStyle& style);

}  // namespace orvalen::markup
