#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orvalen {

// The INI text rules, on a whole file's contents held in memory.
//
// A UTF-8 byte-order mark at the start is kept but read as no part of the first line. A line
// is ended by LF; a CR before the LF belongs to the line ending. Blanks are spaces,
// tabs, CR, VT and FF. A section header is a line whose first non-blank character is '[',
// naming the text up to the last ']' with its blanks stripped. A key line is any other line
// holding '=' whose first non-blank character is not ';' or '#': its key is the text before
// the first '=' and its value the text after it, both with blanks stripped. Names compare
// without regard to ASCII case. Sections that appear more than once act as one section in
// file order, so the first line with the key in any of them is the one read and rewritten.

// The stripped value of the key, or nothing when the section or the key is missing.
std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key);

// FindIniValue for many keys of one text, which is parsed once. The text must outlive it.
class IniIndex {
  public:
    explicit IniIndex(std::string_view text);
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  private:
    // Far more keys than any settings file has; past it, keys not yet seen are looked for in
    // the text itself, so that a huge file of distinct keys cannot exhaust memory.
    static constexpr size_t EntriesMax = size_t{1} << 16;

    static void Name(std::string_view section, std::string_view key, std::string& name);

    std::string_view text_;
    std::unordered_map<std::string, std::string_view> values_;
    bool complete_ = true;
};

// The text with the key set to value: the value of the key's line is replaced in place,
// keeping the text before it and the line ending; a missing key is added after the last key
// line of the section (after its header when it has none); a missing section is added at the
// end. Every other byte is kept. Added lines end like the text's first line (CR LF or LF).
// A value is cut at its first CR, LF or NUL so that it cannot add lines to the file.
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

// Integer decoding: optional sign and decimal digits; or "0x"/"0X" followed by hexadecimal
// digits; or "$" followed by hexadecimal digits. The whole text must be used and the value
// must fit: decimal within signed 32 bits, hexadecimal within 32 bits (read as two's
// complement, so "$FFFFFFFF" is -1). Anything else gives nothing.
std::optional<int32_t> DecodeIniInteger(std::string_view text);

}  // namespace orvalen
