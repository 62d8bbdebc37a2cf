#pragma once

// Rewrites a text's styling in another format's markup; for the writers in subtitles/.

#include <string>
#include <string_view>

#include "subtitles/Markup.h"

namespace orvalen {

enum class TargetMarkup {
    SubRip,    // <b> <i> <u> <font color="#rrggbb">, lines on lines of their own
    WebVtt,    // <b> <i> <u> <c.colour> for the colours that have a class, & < > escaped
    Ass,       // {\b1} {\i1} {\u1} {\c&HBBGGRR&}, {\r} after a styled run, \N between lines
    MicroDvd,  // {y:b,i,u} and {c:$BBGGRR} for what a whole line shares, | between lines
};

// text (in encoding, as the track keeps it) as the screen shows it with the markup of from,
// written in the markup of to, in UTF-8. Lines are joined with LF for SubRip and WebVTT; empty
// lines, which would end a cue there, are left out.
std::string ConvertMarkup(std::string_view text, const std::string& encoding, MarkupFamily from,
                          TargetMarkup to);

}  // namespace orvalen
