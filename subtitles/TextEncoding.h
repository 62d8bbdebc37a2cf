#pragma once

#include <string>
#include <string_view>

namespace orvalen {

// The bytes of a subtitle file as the readers take them: a UTF-8 byte-order mark at the start
// is dropped, and a file that starts with a UTF-16 byte-order mark (LE or BE) is converted to
// UTF-8 (an invalid unit becomes U+FFFD). Otherwise the bytes are returned unchanged. The
// result views either fileBytes or converted.
std::string_view DecodeByteOrderMark(std::string_view fileBytes, std::string& converted);

bool IsValidUtf8(std::string_view bytes);

// The name of the text encoding of bytes, as glibc iconv knows it: "UTF-8" when the bytes are
// valid UTF-8, otherwise uchardet's guess, and "WINDOWS-1252" when it has none.
std::string DetectEncoding(std::string_view bytes);

}  // namespace orvalen
