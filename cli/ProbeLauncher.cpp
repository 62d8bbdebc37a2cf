#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace orvalen::cli {

// The probe lives in orvalen-sub-probe so that only it loads libmpv: beside this program in the
// build tree, in ORVALEN_PROBE_DIR (relative to this program's directory) once installed.
int RunProbe(int argc, char** argv) {
    char self[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string directory = ".";
    if (length > 0) {
        directory.assign(self, static_cast<size_t>(length));
        directory.erase(directory.find_last_of('/'));
    }
    std::string probe = directory + "/orvalen-sub-probe";
    if (::access(probe.c_str(), X_OK) != 0) {
        probe = directory + "/" ORVALEN_PROBE_DIR "/orvalen-sub-probe";
    }
    std::vector<char*> args = {const_cast<char*>(probe.c_str())};
    args.insert(args.end(), argv, argv + argc);
    args.push_back(nullptr);
    ::execv(probe.c_str(), args.data());
    std::fprintf(stderr, "orvalen-sub: cannot run '%s': %s\n", probe.c_str(), std::strerror(errno));
    return 1;
}

}  // namespace orvalen::cli
