// The HTML-like tags of SubRip and WebVTT texts.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/MarkupRules.h"

namespace orvalen::markup {

namespace {

struct NamedColour {
    std::string_view name;
    uint32_t rgb;
};

// The basic HTML colour names (WebVTT's colour classes are among them), and a few more that
// subtitle files use.
constexpr NamedColour NamedColours[] = {
    {"black", 0x000000},   {"silver", 0xC0C0C0},  {"gray", 0x808080},  {"grey", 0x808080},
    {"white", 0xFFFFFF},   {"maroon", 0x800000},  {"red", 0xFF0000},   {"purple", 0x800080},
    {"fuchsia", 0xFF00FF}, {"magenta", 0xFF00FF}, {"green", 0x008000}, {"lime", 0x00FF00},
    {"olive", 0x808000},   {"yellow", 0xFFFF00},  {"navy", 0x000080},  {"blue", 0x0000FF},
    {"teal", 0x008080},    {"aqua", 0x00FFFF},    {"cyan", 0x00FFFF},  {"orange", 0xFFA500},
};

bool ColourName(std::string_view name, uint32_t& rgb) {
    for (const NamedColour& colour : NamedColours) {
        if (EqualsIgnoringCase(name, colour.name)) {
            rgb = colour.rgb;
            return true;
        }
    }
    return false;
}

// "#RRGGBB", "#RGB", "RRGGBB" or a colour name.
bool ParseHtmlColour(std::string_view value, uint32_t& rgb) {
    bool hash = !value.empty() && value[0] == '#';
    if (hash) value.remove_prefix(1);
    uint32_t digits = 0;
    if (value.size() == 6 && ParseHex(value, digits)) {
        rgb = digits;
        return true;
    }
    if (hash && value.size() == 3 && ParseHex(value, digits)) {
        uint32_t r = (digits >> 8) & 0xF, g = (digits >> 4) & 0xF, b = digits & 0xF;
        rgb = (r * 0x11) << 16 | (g * 0x11) << 8 | b * 0x11;
        return true;
    }
    return !hash && ColourName(value, rgb);
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

struct Tag {
    bool closing = false;
    std::string_view name;
    std::string_view attributes;  // what follows the name inside the brackets
    size_t length = 0;
};

// whole: "<name ...>" or "</name>".
bool ReadTag(std::string_view whole, Tag& tag) {
    if (whole.empty()) return false;
    std::string_view inner = whole.substr(1, whole.size() - 2);
    if (inner.find('<') != std::string_view::npos) return false;
    if (!inner.empty() && inner[0] == '/') {
        tag.closing = true;
        inner.remove_prefix(1);
    }
    size_t letters = 0;
    while (letters < inner.size() && IsLetter(inner[letters])) ++letters;
    if (letters == 0) return false;
    tag.name = inner.substr(0, letters);
    tag.attributes = inner.substr(letters);
    if (!tag.attributes.empty() && !IsBlank(tag.attributes[0]) && tag.attributes[0] != '.')
        return false;
    tag.length = whole.size();
    return true;
}

// The value of attribute wanted in 'name="value" name=value ...', empty when absent.
std::string_view AttributeValue(std::string_view attributes, std::string_view wanted) {
    size_t i = 0;
    const size_t n = attributes.size();
    while (i < n) {
        while (i < n && IsBlank(attributes[i])) ++i;
        size_t nameStart = i;
        while (i < n && (IsLetter(attributes[i]) || attributes[i] == '-')) ++i;
        std::string_view name = attributes.substr(nameStart, i - nameStart);
        if (name.empty()) {
            ++i;
            continue;
        }
        while (i < n && IsBlank(attributes[i])) ++i;
        std::string_view value;
        if (i < n && attributes[i] == '=') {
            ++i;
            while (i < n && IsBlank(attributes[i])) ++i;
            if (i < n && (attributes[i] == '"' || attributes[i] == '\'')) {
                size_t close = attributes.find(attributes[i], i + 1);
                if (close == std::string_view::npos) close = n;
                value = attributes.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                size_t end = i;
                while (end < n && !IsBlank(attributes[end])) ++end;
                value = attributes.substr(i, end - i);
                i = end;
            }
        }
        if (EqualsIgnoringCase(name, wanted)) return value;
    }
    return {};
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character a reference such as "amp" or "#233" or "#xE9" stands for.
bool ReferencedCharacter(std::string_view name, std::string& utf8) {
    struct Named {
        std::string_view name;
        uint32_t code;
    };
    static constexpr Named names[] = {{"amp", '&'},    {"lt", '<'},    {"gt", '>'},
                                      {"quot", '"'},   {"apos", '\''}, {"nbsp", 0xA0},
                                      {"lrm", 0x200E}, {"rlm", 0x200F}};
    uint32_t code = 0;
    bool found = false;
    if (name.size() > 1 && name[0] == '#') {
        std::string_view digits = name.substr(1);
        if (digits[0] == 'x' || digits[0] == 'X') {
            found = ParseHex(digits.substr(1), code);
        } else if (digits.size() <= 7) {
            found = digits.find_first_not_of("0123456789") == std::string_view::npos;
            for (char c : digits) code = code * 10 + static_cast<uint32_t>(c - '0');
        }
        found = found && code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    } else {
        for (const Named& entry : names) {
            if (name == entry.name) {
                code = entry.code;
                found = true;
            }
        }
    }
    if (found) AppendUtf8(utf8, code);
    return found;
}

class HtmlRules : public MarkupRules {
  public:
    explicit HtmlRules(bool webVtt) : webVtt_(webVtt) {}

    std::string_view Triggers() const override { return webVtt_ ? "<{&" : "<{"; }

    size_t Read(std::string_view rest, RunBuilder& out) override {
        size_t used = 0;
        if (rest[0] == '{') {
            used = ReadOverrideBlock(rest);
        } else if (rest[0] == '&') {
            return ReadReference(rest, out);
        } else {
            std::string_view whole = FindEnclosed(rest, '>');
            if (webVtt_ && IsTimestamp(whole)) return whole.size();
            Tag tag;
            if (ReadTag(whole, tag) && ApplyTag(tag)) used = tag.length;
        }
        if (used > 0) out.SetStyle(Style());
        return used;
    }

  private:
    enum class Kind { Bold, Italic, Underline, Font, Class, Hidden, Unknown };

    // Open <font> and <c> scopes. A closing tag ends the innermost open scope of its kind,
    // which need not be the innermost scope: it is marked closed, and dropped from the
    // colours once no open scope is above it, so that every tag costs constant time.
    struct ColourScope {
        size_t id;
        uint32_t colour;
    };
    static constexpr size_t ScopeKinds = 2;

    static size_t ScopeIndex(Kind kind) { return kind == Kind::Font ? 0 : 1; }

    Kind KindOf(std::string_view name) const {
        if (EqualsIgnoringCase(name, "b")) return Kind::Bold;
        if (EqualsIgnoringCase(name, "i")) return Kind::Italic;
        if (EqualsIgnoringCase(name, "u")) return Kind::Underline;
        if (EqualsIgnoringCase(name, "font")) return Kind::Font;
        if (!webVtt_) return Kind::Unknown;
        if (name == "c") return Kind::Class;
        if (name == "v" || name == "lang" || name == "ruby" || name == "rt") return Kind::Hidden;
        return Kind::Unknown;
    }

    int* CounterOf(Kind kind) {
        switch (kind) {
            case Kind::Bold:
                return &bold_;
            case Kind::Italic:
                return &italic_;
            case Kind::Underline:
                return &underline_;
            default:
                return nullptr;
        }
    }

    bool ApplyTag(const Tag& tag) {
        Kind kind = KindOf(tag.name);
        if (kind == Kind::Unknown) return false;
        if (int* counter = CounterOf(kind)) {
            if (!tag.closing)
                ++*counter;
            else if (*counter > 0)
                --*counter;
        } else if (kind == Kind::Font || kind == Kind::Class) {
            if (tag.closing) {
                CloseScope(kind);
            } else {
                ColourScope scope{closed_.size(), 0};
                const bool hasColour =
                    kind == Kind::Font
                        ? ParseHtmlColour(AttributeValue(tag.attributes, "color"), scope.colour)
                        : ClassColour(tag.attributes, scope.colour);
                closed_.push_back(false);
                open_[ScopeIndex(kind)].push_back(scope.id);
                if (hasColour) colours_.push_back(scope);
            }
        }
        return true;
    }

    // The first colour among the classes of "<c.yellow.loud>".
    static bool ClassColour(std::string_view classes, uint32_t& rgb) {
        while (!classes.empty() && classes[0] == '.') {
            classes.remove_prefix(1);
            size_t end = classes.find_first_of(". \t");
            if (end == std::string_view::npos) end = classes.size();
            if (ColourName(classes.substr(0, end), rgb)) return true;
            classes.remove_prefix(end);
        }
        return false;
    }

    void CloseScope(Kind kind) {
        std::vector<size_t>& open = open_[ScopeIndex(kind)];
        if (open.empty()) return;
        closed_[open.back()] = true;
        open.pop_back();
        while (!colours_.empty() && closed_[colours_.back().id]) colours_.pop_back();
    }

    size_t ReadOverrideBlock(std::string_view rest) {
        std::string_view block = FindEnclosed(rest, '}');
        if (block.size() < 3 || block[1] != '\\') return 0;
        ApplyOverrideCodes(block.substr(1, block.size() - 2), overrides_);
        return block.size();
    }

    size_t ReadReference(std::string_view rest, RunBuilder& out) {
        std::string_view reference = FindEnclosed(rest, ';', 12);
        std::string character;
        if (reference.size() < 3 ||
            !ReferencedCharacter(reference.substr(1, reference.size() - 2), character))
            return 0;
        out.Append(character);
        return reference.size();
    }

    // A cue timestamp tag such as "<00:01.500>".
    static bool IsTimestamp(std::string_view whole) {
        if (whole.size() < 3) return false;
        std::string_view inner = whole.substr(1, whole.size() - 2);
        return inner.find_first_not_of("0123456789:.") == std::string_view::npos &&
               inner.find(':') != std::string_view::npos;
    }

    TextStyle Style() const {
        TextStyle style = overrides_;
        style.Bold = style.Bold || bold_ > 0;
        style.Italic = style.Italic || italic_ > 0;
        style.Underline = style.Underline || underline_ > 0;
        if (!style.HasColour && !colours_.empty()) {
            style.HasColour = true;
            style.Colour = colours_.back().colour;
        }
        return style;
    }

    bool webVtt_;
    int bold_ = 0;
    int italic_ = 0;
    int underline_ = 0;
    std::vector<bool> closed_;  // by scope id
    std::array<std::vector<size_t>, ScopeKinds> open_;
    std::vector<ColourScope> colours_;  // the scopes that give a colour, innermost last
    TextStyle overrides_;               // from "{\...}" blocks
};

}  // namespace

std::unique_ptr<MarkupRules> MakeHtmlRules(bool webVtt) {
    return std::make_unique<HtmlRules>(webVtt);
}

}  // namespace orvalen::markup
