#include "media/RenderPath.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orvalen {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
    if (word.size() > text.size()) return false;
    for (size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (EqualsIgnoringCase(text.substr(at, word.size()), word)) return true;
    }
    return false;
}

}  // namespace

std::optional<RenderPath> ParseRenderPath(std::string_view text) {
    if (EqualsIgnoringCase(text, "gpu")) return RenderPath::Gpu;
    if (EqualsIgnoringCase(text, "software")) return RenderPath::Software;
    return std::nullopt;
}

std::string_view RenderPathName(RenderPath path) {
    return path == RenderPath::Gpu ? "gpu" : "software";
}

bool IsSoftwareRenderer(std::string_view renderer) {
    constexpr std::array<std::string_view, 3> kProcessorRenderers = {"llvmpipe", "softpipe",
                                                                     "swrast"};
    return std::any_of(kProcessorRenderers.begin(), kProcessorRenderers.end(),
                       [&](std::string_view name) { return ContainsIgnoringCase(renderer, name); });
}

RenderPath ChooseRenderPath(std::optional<RenderPath> forced, const OpenGlProbe& probe) {
    if (!probe.ContextMade) return RenderPath::Software;
    if (forced) return *forced;
    return IsSoftwareRenderer(probe.Renderer) ? RenderPath::Software : RenderPath::Gpu;
}

}  // namespace orvalen
