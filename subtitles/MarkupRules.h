#pragma once

// The pieces ParseMarkup is built from; not for use outside subtitles/.

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
    void BreakLine(RunBuilder& out) {
        out.Break();
        LineBroken(out);
    }
};

std::unique_ptr<MarkupRules> MakeHtmlRules(bool webVtt);
std::unique_ptr<MarkupRules> MakeSsaRules();
std::unique_ptr<MarkupRules> MakeMicroDvdRules();

// The part of rest from its first byte up to and including the first close, when close
// comes before the end of the line and within limit bytes; empty otherwise.
std::string_view Enclosed(std::string_view rest, char close, size_t limit = 512);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Parses hex digits (at most 8, all of text) into value.
bool ParseHex(std::string_view text, uint32_t& value);

// SSA colour digits "BBGGRR" (an alpha byte before them is ignored) to 0xRRGGBB.
uint32_t SwapBlueRed(uint32_t bgr);

// SSA override codes: the text between "{" and "}". Applies \b \i \u \c \1c and \r to style;
// every other code is ignored.
void ApplyOverrideCodes(std::string_view codes, TextStyle& style);

}  // namespace orvalen::markup
