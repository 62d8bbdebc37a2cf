#pragma once

#include <cstdio>
#include <optional>

#include "media/RenderPath.h"

namespace orvalen {

// `orvalen --version --verbose`: the version, the OpenGL renderer a window would get and the
// render path that follows from it and from forced. Without a display, says so and names the
// software path. Gives the exit status.
int PrintVerboseVersion(int& argc, char** argv, std::optional<RenderPath> forced, std::FILE* out);

}  // namespace orvalen
