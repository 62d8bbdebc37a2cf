#include "subtitles/MarkupWriter.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "subtitles/DisplayText.h"

namespace orvalen {

namespace {

struct ColourClass {
    const char* Name;
    uint32_t Rgb;
};

// WebVTT's own colour classes; other colours have none and are dropped.
constexpr ColourClass VttColours[] = {
    {"white", 0xFFFFFF},  {"lime", 0x00FF00},    {"cyan", 0x00FFFF}, {"red", 0xFF0000},
    {"yellow", 0xFFFF00}, {"magenta", 0xFF00FF}, {"blue", 0x0000FF}, {"black", 0x000000},
};

std::string Hex6(uint32_t value) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%06X", value & 0xFFFFFFu);
    return digits;
}

uint32_t RgbToBgr(uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
}

void AppendHtmlRun(std::string& out, const StyledRun& run, bool webVtt) {
    const TextStyle& style = run.Style;
    const char* colourClass = nullptr;
    if (style.HasColour && webVtt) {
        for (const ColourClass& colour : VttColours)
            if (colour.Rgb == style.Colour) colourClass = colour.Name;
    }
    const bool colour = style.HasColour && (!webVtt || colourClass);
    if (colour) {
        out += webVtt ? std::string("<c.") + colourClass + ">"
                      : "<font color=\"#" + Hex6(style.Colour) + "\">";
    }
    if (style.Bold) out += "<b>";
    if (style.Italic) out += "<i>";
    if (style.Underline) out += "<u>";
    if (webVtt)
        AppendEscaped(out, run.Text);
    else
        out += run.Text;
    if (style.Underline) out += "</u>";
    if (style.Italic) out += "</i>";
    if (style.Bold) out += "</b>";
    if (colour) out += webVtt ? "</c>" : "</font>";
}

// ASS has no escape: a brace would open an override block and a backslash start a code, so
// they are written as their full-width forms, which show the same.
void AppendAssText(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '{')
            out += "\xEF\xBD\x9B";
        else if (c == '}')
            out += "\xEF\xBD\x9D";
        else if (c == '\\')
            out += "\xEF\xBC\xBC";
        else
            out += c;
    }
}

void AppendAssRun(std::string& out, const StyledRun& run) {
    const TextStyle& style = run.Style;
    const bool styled = style.Bold || style.Italic || style.Underline || style.HasColour;
    if (styled) {
        out += '{';
        if (style.Bold) out += "\\b1";
        if (style.Italic) out += "\\i1";
        if (style.Underline) out += "\\u1";
        if (style.HasColour) out += "\\c&H" + Hex6(RgbToBgr(style.Colour)) + "&";
        out += '}';
    }
    AppendAssText(out, run.Text);
    if (styled) out += "{\\r}";
}

// MicroDVD styles whole lines: a style is kept when every run of the line has it.
void AppendMicroDvdLine(std::string& out, const StyledLine& line) {
    TextStyle shared = line.front().Style;
    for (const StyledRun& run : line) {
        shared.Bold = shared.Bold && run.Style.Bold;
        shared.Italic = shared.Italic && run.Style.Italic;
        shared.Underline = shared.Underline && run.Style.Underline;
        shared.HasColour =
            shared.HasColour && run.Style.HasColour && run.Style.Colour == shared.Colour;
    }
    std::string codes;
    for (auto [on, letter] : {std::pair{shared.Bold, "b"}, std::pair{shared.Italic, "i"},
                              std::pair{shared.Underline, "u"}}) {
        if (!on) continue;
        codes += codes.empty() ? "" : ",";
        codes += letter;
    }
    if (!codes.empty()) out += "{y:" + codes + "}";
    if (shared.HasColour) out += "{c:$" + Hex6(RgbToBgr(shared.Colour)) + "}";
    for (const StyledRun& run : line) out += run.Text;
}

// Blanks that start a line show nothing, and SubRip readers drop them.
void DropLeadingBlanks(StyledLine& line) {
    while (!line.empty()) {
        std::string& text = line.front().Text;
        text.erase(0, text.find_first_not_of(" \t"));
        if (!text.empty()) return;
        line.erase(line.begin());
    }
}

}  // namespace

std::string ConvertMarkup(std::string_view text, const std::string& encoding, MarkupFamily from,
                          TargetMarkup to) {
    std::vector<StyledLine> lines = ParseMarkup(DecodeDetected(text, encoding), from);
    const char* separator = to == TargetMarkup::Ass        ? "\\N"
                            : to == TargetMarkup::MicroDvd ? "|"
                                                           : "\n";
    std::string out;
    bool first = true;
    for (StyledLine& line : lines) {
        DropLeadingBlanks(line);
        if (line.empty()) continue;
        if (!first) out += separator;
        first = false;
        if (to == TargetMarkup::MicroDvd) {
            AppendMicroDvdLine(out, line);
            continue;
        }
        for (const StyledRun& run : line) {
            if (to == TargetMarkup::Ass)
                AppendAssRun(out, run);
            else
                AppendHtmlRun(out, run, to == TargetMarkup::WebVtt);
        }
    }
    return out;
}

}  // namespace orvalen
