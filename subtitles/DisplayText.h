#pragma once

#include <string>
#include <string_view>

namespace orvalen {

// A track text as the screen shows it, in UTF-8: decoded from the encoding its file was
// detected in ("UTF-8", "WINDOWS-1252"...; empty or unknown names fall back to UTF-8 when the
// bytes are valid UTF-8 and Windows-1252 otherwise), every CR, LF or CR LF one line break,
// blanks before a break and the trailing white space and line ends dropped.
std::string DisplayText(std::string_view bytes, const std::string& encoding);

}  // namespace orvalen
