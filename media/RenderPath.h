#pragma once

#include <optional>
#include <string_view>

namespace orvalen {

// How the film's pictures reach the screen: drawn by OpenGL on the graphics card, or by mpv's
// software renderer and copied through the processor.
enum class RenderPath { Gpu, Software };

// "gpu" or "software" (ASCII case ignored); nothing for any other text.
std::optional<RenderPath> ParseRenderPath(std::string_view text);

std::string_view RenderPathName(RenderPath path);

// What could be learnt of the OpenGL the window would draw with.
struct OpenGlProbe {
    bool ContextMade = false;   // a context of at least version 3.2 (or ES 3.0) could be made
    std::string_view Renderer;  // its GL_RENDERER string
};

// True for Mesa's and others' renderers that run on the processor (llvmpipe, softpipe,
// swrast), where the software path is cheaper than OpenGL drawn by the processor.
bool IsSoftwareRenderer(std::string_view renderer);

// The path to use: a forced one when the context allows it (a forced GPU path still needs a
// context), otherwise the GPU path only for a hardware renderer.
RenderPath ChooseRenderPath(std::optional<RenderPath> forced, const OpenGlProbe& probe);

}  // namespace orvalen
