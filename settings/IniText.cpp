#include "settings/IniText.h"

#include <cstddef>

namespace orvalen {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

enum class LineKind { Other, Header, Key };

struct Line {
    size_t start = 0;
    size_t contentEnd = 0;  // before the CR LF or LF
    size_t end = 0;         // after the line ending
    LineKind kind = LineKind::Other;
    std::string_view name;  // section name of a header, key of a key line
    size_t valueStart = 0;  // key lines: first non-blank after '='
};

Line ReadLine(std::string_view text, size_t start) {
    Line line;
    line.start = start;
    size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) {
        line.contentEnd = line.end = text.size();
    } else {
        line.end = newline + 1;
        line.contentEnd = (newline > start && text[newline - 1] == '\r') ? newline - 1 : newline;
    }
    std::string_view content = text.substr(start, line.contentEnd - start);
    std::string_view trimmed = Trim(content);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return line;
    if (trimmed.front() == '[') {
        size_t close = trimmed.rfind(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Header;
            line.name = Trim(trimmed.substr(1, close - 1));
        }
        return line;
    }
    size_t equals = content.find('=');
    if (equals == std::string_view::npos) return line;
    std::string_view key = Trim(content.substr(0, equals));
    if (key.empty()) return line;
    line.kind = LineKind::Key;
    line.name = key;
    size_t valueStart = start + equals + 1;
    while (valueStart < line.contentEnd && IsBlank(text[valueStart])) ++valueStart;
    line.valueStart = valueStart;
    return line;
}

struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    Line keyLine;
    size_t insertAt = 0;  // end of the last key line (or the header) of the first section
};

// Editors that save UTF-8 may put a byte-order mark first; it belongs to no line.
size_t FirstLineStart(std::string_view text) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    return text.substr(0, byteOrderMark.size()) == byteOrderMark ? byteOrderMark.size() : 0;
}

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
    Location location;
    bool inSection = false;
    bool inFirstSection = false;
    for (size_t pos = FirstLineStart(text); pos < text.size();) {
        Line line = ReadLine(text, pos);
        pos = line.end;
        if (line.kind == LineKind::Header) {
            inSection = SameName(line.name, section);
            inFirstSection = inSection && !location.sectionFound;
            if (inFirstSection) {
                location.sectionFound = true;
                location.insertAt = line.end;
            }
        } else if (line.kind == LineKind::Key && inSection) {
            if (inFirstSection) location.insertAt = line.end;
            if (SameName(line.name, key)) {
                location.keyFound = true;
                location.keyLine = line;
                return location;
            }
        }
    }
    return location;
}

std::string_view LineEnding(std::string_view text) {
    size_t newline = text.find('\n');
    if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') {
        return "\r\n";
    }
    return "\n";
}

std::string_view SafeValue(std::string_view value) {
    size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
    return cut == std::string_view::npos ? value : value.substr(0, cut);
}

bool LastLineIsBlank(std::string_view text) {
    // text ends with '\n' here.
    std::string_view rest = text.substr(0, text.size() - 1);
    size_t previous = rest.rfind('\n');
    std::string_view last = previous == std::string_view::npos ? rest : rest.substr(previous + 1);
    return Trim(last).empty();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<int32_t> DecodeHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> DecodeDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t{1} << 31) return std::nullopt;
    }
    int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

}  // namespace

std::optional<std::string_view> FindIniValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
    Location location = Locate(text, section, key);
    if (!location.keyFound) return std::nullopt;
    const Line& line = location.keyLine;
    return Trim(text.substr(line.valueStart, line.contentEnd - line.valueStart));
}

void IniIndex::Name(std::string_view section, std::string_view key, std::string& name) {
    name.clear();
    for (char c : section) name += FoldCase(c);
    name += '\n';  // never part of a name
    for (char c : key) name += FoldCase(c);
}

IniIndex::IniIndex(std::string_view text) : text_(text) {
    std::string_view section;
    bool inSection = false;
    std::string name;
    for (size_t pos = FirstLineStart(text); pos < text.size();) {
        Line line = ReadLine(text, pos);
        pos = line.end;
        if (line.kind == LineKind::Header) {
            section = line.name;
            inSection = true;
        } else if (line.kind == LineKind::Key && inSection) {
            if (values_.size() == EntriesMax) {
                complete_ = false;
                return;
            }
            // The first line of a key is the one FindIniValue reads.
            Name(section, line.name, name);
            if (values_.find(name) != values_.end()) continue;
            values_.emplace(name,
                            Trim(text.substr(line.valueStart, line.contentEnd - line.valueStart)));
        }
    }
}

std::optional<std::string_view> IniIndex::Find(std::string_view section,
                                               std::string_view key) const {
    std::string name;
    Name(section, key, name);
    auto found = values_.find(name);
    if (found != values_.end()) return found->second;
    if (complete_) return std::nullopt;
    return FindIniValue(text_, section, key);
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
    value = SafeValue(value);
    std::string_view eol = LineEnding(text);
    Location location = Locate(text, section, key);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 16);
    if (location.keyFound) {
        const Line& line = location.keyLine;
        result.append(text.substr(0, line.valueStart));
        result.append(value);
        result.append(text.substr(line.contentEnd));
        return result;
    }
    if (location.sectionFound) {
        result.append(text.substr(0, location.insertAt));
        if (location.insertAt > 0 && text[location.insertAt - 1] != '\n') result.append(eol);
        result.append(key).append("=").append(value).append(eol);
        result.append(text.substr(location.insertAt));
        return result;
    }
    result.append(text);
    if (result.size() > FirstLineStart(result)) {
        if (result.back() != '\n') result.append(eol);
        if (!LastLineIsBlank(result)) result.append(eol);
    }
    result.append("[").append(section).append("]").append(eol);
    result.append(key).append("=").append(value).append(eol);
    return result;
}

std::optional<int32_t> DecodeIniInteger(std::string_view text) {
    if (!text.empty() && text.front() == '$') return DecodeHex(text.substr(1));
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return DecodeHex(text.substr(2));
    }
    return DecodeDecimal(text);
}

}  // namespace orvalen
