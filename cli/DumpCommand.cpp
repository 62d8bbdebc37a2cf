#include <cstdio>

#include "cli/Commands.h"

namespace orvalen::cli {

int RunDump(int, char**) {
    std::fprintf(stderr, "orvalen-sub: this command is not available yet\n");
    return 2;
}

}  // namespace orvalen::cli
