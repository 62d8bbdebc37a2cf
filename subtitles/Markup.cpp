#include "subtitles/Markup.h"

#include <memory>

#include "subtitles/MarkupRules.h"

namespace orvalen {

namespace markup {

void RunBuilder::Append(std::string_view text) {
    if (text.empty()) return;
    atLineStart_ = false;
    StyledLine& line = lines_.back();
    if (!line.empty() && line.back().Style == style_) {
        line.back().Text += text;
    } else {
        line.push_back({std::string(text), style_});
    }
}

void RunBuilder::Break() {
    StyledLine& line = lines_.back();
    while (!line.empty()) {
        std::string& last = line.back().Text;
        size_t kept = last.find_last_not_of(" \t");
        if (kept != std::string::npos) {
            last.resize(kept + 1);
            break;
        }
        line.pop_back();
    }
    lines_.emplace_back();
    atLineStart_ = true;
}

std::vector<StyledLine> RunBuilder::Finish() {
    Break();
    while (!lines_.empty() && lines_.back().empty()) lines_.pop_back();
    return std::move(lines_);
}

std::string_view Enclosed(std::string_view rest, char close, size_t limit) {
    for (size_t i = 1; i < rest.size() && i < limit; ++i) {
        if (rest[i] == close) return rest.substr(0, i + 1);
        if (rest[i] == '\n' || rest[i] == '\r') break;
    }
    return {};
}

std::string_view EnclosedFinder::Find(std::string_view rest, char close, size_t limit) {
    const char* begin = rest.data();
    const char* end = begin + rest.size();
    Stop* stop = &stops_[0];
    for (Stop& candidate : stops_) {
        if (candidate.close == close || candidate.close == 0) {
            stop = &candidate;
            break;
        }
    }
    if (stop->close != close || begin < stop->from || begin >= stop->at) {
        const char* at = rest.empty() ? end : begin + 1;
        while (at < end && *at != close && *at != '\n' && *at != '\r') ++at;
        *stop = {close, begin, at};
    }
    const size_t length = static_cast<size_t>(stop->at - begin);
    if (stop->at == end || *stop->at != close || length >= limit) return {};
    return rest.substr(0, length + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool ParseHex(std::string_view text, uint32_t& value) {
    if (text.empty() || text.size() > 8) return false;
    uint32_t result = 0;
    for (char c : text) {
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else
            return false;
        result = result * 16 + digit;
    }
    value = result;
    return true;
}

uint32_t SwapBlueRed(uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

namespace {

// Breaks lines at every occurrence of one mark.
class BreakMarkRules : public MarkupRules {
  public:
    explicit BreakMarkRules(std::string_view mark) : mark_(mark) {}
    std::string_view Triggers() const override { return mark_.substr(0, 1); }
    size_t Read(std::string_view rest, RunBuilder& out) override {
        if (!EqualsIgnoringCase(rest.substr(0, mark_.size()), mark_)) return 0;
        BreakLine(out);
        return mark_.size();
    }

  private:
    std::string_view mark_;
};

class PlainRules : public MarkupRules {
  public:
    std::string_view Triggers() const override { return {}; }
    size_t Read(std::string_view, RunBuilder&) override { return 0; }
};

std::unique_ptr<MarkupRules> MakeRules(MarkupFamily family) {
    switch (family) {
        case MarkupFamily::BarBreaks:
            return std::make_unique<BreakMarkRules>("|");
        case MarkupFamily::BrTags:
            return std::make_unique<BreakMarkRules>("[br]");
        case MarkupFamily::SubRip:
            return MakeHtmlRules(false);
        case MarkupFamily::WebVtt:
            return MakeHtmlRules(true);
        case MarkupFamily::Ssa:
            return MakeSsaRules();
        case MarkupFamily::MicroDvd:
            return MakeMicroDvdRules();
        case MarkupFamily::Plain:
            break;
    }
    return std::make_unique<PlainRules>();
}

}  // namespace

}  // namespace markup

std::vector<StyledLine> ParseMarkup(std::string_view text, MarkupFamily family) {
    std::unique_ptr<markup::MarkupRules> rules = markup::MakeRules(family);
    std::string stops = "\r\n";
    stops += rules->Triggers();
    markup::RunBuilder out;
    size_t i = 0;
    while (i < text.size()) {
        size_t stop = text.find_first_of(stops, i);
        if (stop == std::string_view::npos) stop = text.size();
        out.Append(text.substr(i, stop - i));
        i = stop;
        if (i == text.size()) break;
        if (text[i] == '\r' || text[i] == '\n') {
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            out.Break();
            rules->LineBroken(out);
            continue;
        }
        size_t used = rules->Read(text.substr(i), out);
        if (used == 0) {
            out.Append(text.substr(i, 1));
            used = 1;
        }
        i += used;
    }
    return out.Finish();
}

void KeepWhatScreenShows(std::vector<StyledLine>& lines) {
    if (lines.size() > ShownLinesMax) lines.resize(ShownLinesMax);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    size_t budget = ShownBytesMax;
    for (size_t l = 0; l < lines.size(); ++l) {
        StyledLine& line = lines[l];
        for (size_t r = 0; r < line.size(); ++r) {
            std::string& text = line[r].Text;
            if (text.size() <= budget) {
                budget -= text.size();
                continue;
            }
            size_t cut = budget;
            while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
            text.resize(cut);
            line.resize(cut == 0 ? r : r + 1);
            lines.resize(l + 1);
            while (!lines.empty() && lines.back().empty()) lines.pop_back();
            return;
        }
    }
}

}  // namespace orvalen
