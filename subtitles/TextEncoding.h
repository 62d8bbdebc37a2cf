#pragma once

#include <string>
#include <string_view>

namespace orvalen {

// Makes the bytes of a subtitle file what the readers take: a UTF-8 byte-order mark at the start
// is dropped, and UTF-16 (LE or BE) is converted to UTF-8 (an invalid unit becomes U+FFFD).
// UTF-16 is what has NUL bytes where the high bytes of ASCII characters would be: after a
// UTF-16 byte-order mark more of them in its order than in the other, and without a mark a
// quarter of the units and hardly any the other way; an 8-bit file that merely starts with
// the bytes of a mark stays as it is, as do all other bytes.
void DecodeByteOrderMark(std::string& fileBytes);

bool IsValidUtf8(std::string_view bytes);

// The name of the text encoding of bytes, as glibc iconv knows it: "UTF-8" when the bytes are
// valid UTF-8, otherwise uchardet's guess from a sample of the lines with non-ASCII bytes (a DOS
// code page checked against the Windows ones, CheckDosCodePage), with "WINDOWS-1252" standing
// for Latin-1 and for no guess.
std::string DetectEncoding(std::string_view bytes);

// Converts bytes from the named encoding (a name glibc iconv knows: "WINDOWS-1251", "KOI8-R",
// "SHIFT_JIS"...) to UTF-8; a sequence that is not valid in it becomes U+FFFD. False, with
// utf8 untouched, when iconv does not know the name.
bool ConvertToUtf8(std::string_view bytes, const std::string& encoding, std::string& utf8);

}  // namespace orvalen
