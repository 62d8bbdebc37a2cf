// SubStation Alpha override blocks and escapes, and MicroDVD control codes.
#include <memory>
#include <string_view>

#include "subtitles/MarkupRules.h"

namespace orvalen::markup {

namespace {

bool DigitsOnly(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

uint32_t SmallNumber(std::string_view digits) {
    uint32_t value = 0;
    for (char c : digits.substr(0, 6)) value = value * 10 + static_cast<uint32_t>(c - '0');
    return value;
}

// "\b1", "\i0", "\u", ... with the digits after the letter, or none to go back to plain.
void ApplyFlag(std::string_view argument, bool bold, bool& flag) {
    if (argument.empty()) {
        flag = false;
    } else if (DigitsOnly(argument)) {
        uint32_t value = SmallNumber(argument);
        // \b also takes a font weight: 700 and above are bold.
        flag = bold ? value == 1 || value >= 700 : value != 0;
    }
}

void ApplyCode(std::string_view code, TextStyle& style) {
    while (!code.empty() && (code.back() == ' ' || code.back() == '\t')) code.remove_suffix(1);
    if (code.empty()) return;
    std::string_view argument = code.substr(1);
    switch (code[0]) {
        case 'b':
            return ApplyFlag(argument, true, style.Bold);
        case 'i':
            return ApplyFlag(argument, false, style.Italic);
        case 'u':
            return ApplyFlag(argument, false, style.Underline);
        case 'r':
            style = TextStyle();
            return;
        case '1':
            if (argument.empty() || argument[0] != 'c') return;
            argument.remove_prefix(1);
            break;
        case 'c':
            break;
        default:
            return;
    }
    // \c or \1c: the primary colour, "&HBBGGRR&"; alone it goes back to the style's colour.
    if (argument.empty()) {
        style.HasColour = false;
        return;
    }
    if (argument.size() < 3 || argument[0] != '&' || (argument[1] != 'H' && argument[1] != 'h'))
        return;
    argument.remove_prefix(2);
    if (argument.back() == '&') argument.remove_suffix(1);
    uint32_t bgr = 0;
    if (!ParseHex(argument, bgr)) return;
    style.HasColour = true;
    style.Colour = SwapBlueRed(bgr & 0xFFFFFF);
}

class SsaRules : public MarkupRules {
  public:
    std::string_view Triggers() const override { return "{\\"; }

    size_t Read(std::string_view rest, RunBuilder& out) override {
        if (rest[0] == '{') {
            std::string_view block = FindEnclosed(rest, '}', 4096);
            if (block.empty()) return 0;
            ApplyOverrideCodes(block.substr(1, block.size() - 2), style_);
            out.SetStyle(style_);
            return block.size();
        }
        if (rest.size() < 2) return 0;
        if (rest[1] == 'N' || rest[1] == 'n') {
            BreakLine(out);
            return 2;
        }
        if (rest[1] == 'h') {
            out.Append("\xC2\xA0");
            return 2;
        }
        return 0;
    }

  private:
    TextStyle style_;
};

// {y:i} styles its line, {Y:i} every line; c/C colour; f, s, p, h codes are hidden.
class MicroDvdRules : public MarkupRules {
  public:
    std::string_view Triggers() const override { return "{|/"; }

    size_t Read(std::string_view rest, RunBuilder& out) override {
        if (rest[0] == '|') {
            BreakLine(out);
            return 1;
        }
        if (rest[0] == '/') {
            if (!out.AtLineStart()) return 0;
            line_.Italic = true;
            out.SetStyle(Style());
            return 1;
        }
        std::string_view block = FindEnclosed(rest, '}');
        if (block.size() < 4 || block[2] != ':' || block.find('{', 1) != std::string_view::npos)
            return 0;
        const char letter = block[1];
        const bool everyLine = letter >= 'A' && letter <= 'Z';
        const char code = everyLine ? static_cast<char>(letter - 'A' + 'a') : letter;
        if (std::string_view("ycfsph").find(code) == std::string_view::npos) return 0;
        TextStyle& target = everyLine ? all_ : line_;
        std::string_view value = block.substr(3, block.size() - 4);
        if (code == 'y') ApplyStyles(value, target);
        if (code == 'c' && value.size() > 1 && value[0] == '$') {
            uint32_t bgr = 0;
            if (ParseHex(value.substr(1), bgr)) {
                target.HasColour = true;
                target.Colour = SwapBlueRed(bgr & 0xFFFFFF);
            }
        }
        out.SetStyle(Style());
        return block.size();
    }

    void LineBroken(RunBuilder& out) override {
        line_ = TextStyle();
        out.SetStyle(Style());
    }

  private:
    static void ApplyStyles(std::string_view value, TextStyle& target) {
        for (char c : value) {
            if (c == 'i' || c == 'I') target.Italic = true;
            if (c == 'b' || c == 'B') target.Bold = true;
            if (c == 'u' || c == 'U') target.Underline = true;
        }
    }

    TextStyle Style() const {
        TextStyle style = all_;
        style.Bold = style.Bold || line_.Bold;
        style.Italic = style.Italic || line_.Italic;
        style.Underline = style.Underline || line_.Underline;
        if (line_.HasColour) {
            style.HasColour = true;
            style.Colour = line_.Colour;
        }
        return style;
    }

    TextStyle all_;
    TextStyle line_;
};

}  // namespace

void ApplyOverrideCodes(std::string_view codes, TextStyle& style) {
    // Codes start at each backslash outside parentheses, so that the codes inside \t(...)
    // are not taken for codes of their own; text before the first backslash is a comment.
    int depth = 0;
    size_t start = std::string_view::npos;
    for (size_t i = 0; i <= codes.size(); ++i) {
        char c = i < codes.size() ? codes[i] : '\\';
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (c == '\\' && (depth == 0 || i == codes.size())) {
            if (start != std::string_view::npos) ApplyCode(codes.substr(start, i - start), style);
            start = i + 1;
        }
    }
}

std::unique_ptr<MarkupRules> MakeSsaRules() {
    return std::make_unique<SsaRules>();
}

std::unique_ptr<MarkupRules> MakeMicroDvdRules() {
    return std::make_unique<MicroDvdRules>();
}

}  // namespace orvalen::markup
