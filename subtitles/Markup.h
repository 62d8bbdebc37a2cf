#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvalen {

// The styling conventions a subtitle text follows. Every reader's texts follow one of them
// (MarkupFamilyOf in ReaderTable.h); the track keeps the file's bytes and only the screen applies
// the markup.
enum class MarkupFamily {
    Plain,      // no markup: only line ends break lines
    BarBreaks,  // every "|" breaks a line
    BrTags,     // every "[br]" (any case) breaks a line
    SubRip,     // <i> <b> <u> <font color="...">, and SSA override blocks "{\...}" as in SSA
    WebVtt,     // SubRip's, plus <c[.colour]> <v> <lang> <ruby> <rt>, cue timestamps hidden and
                // character references (&amp; &lt; &#233;...) decoded
    Ssa,        // override blocks "{...}" hidden, of which \b \i \u \c \r styled; \N and \n
                // break lines, \h is a no-break space
    MicroDvd,   // {y:i} {y:b} {y:u} (this line), {Y:...} (every line), {c:$BBGGRR} colour,
                // other {x:...} codes hidden; every "|" breaks a line; "/" first on a line
                // makes that line italic (MPL2)
};

struct TextStyle {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool HasColour = false;
    uint32_t Colour = 0;  // 0xRRGGBB, meaningful when HasColour

    bool operator==(const TextStyle&) const = default;
};

// A piece of a line shown in one style. Text is never empty.
struct StyledRun {
    std::string Text;
    TextStyle Style;

    bool operator==(const StyledRun&) const = default;
};

// One line on screen; an empty line has no run.
using StyledLine = std::vector<StyledRun>;

// Splits a subtitle text into the lines and styled runs the screen shows. The text should be
// UTF-8 (decode a track's texts first): only ASCII bytes are looked at, every other byte is
// copied. CR, LF and CR LF break lines; blanks before a break and the trailing line ends are
// dropped, as are trailing empty lines. Markup that the family does not know, or that is not
// complete (an opening "<" or "{" without its closing character on the same line), is shown
// as text; a closing tag with nothing open is dropped. Unclosed tags style the text up to the
// end. Adjacent runs of one style are merged.
std::vector<StyledLine> ParseMarkup(std::string_view text, MarkupFamily family);

// Far more than a subtitle band holds, and still laid out by Qt in a few milliseconds.
constexpr size_t ShownLinesMax = 100;
constexpr size_t ShownBytesMax = 4 * 1024;

// Drops what lies beyond ShownLinesMax lines or ShownBytesMax bytes of text, cutting a run on
// a character boundary, so that a huge entry costs no more to lay out than a full screen.
void KeepWhatScreenShows(std::vector<StyledLine>& lines);

}  // namespace orvalen
