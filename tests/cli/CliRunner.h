#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/TempDir.h"

namespace orvalen::testing {

struct RunResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs argv[0] with argv, standard output and error captured through files in a temporary
// directory, and waits for it.
inline RunResult RunProgram(const std::vector<std::string>& argv) {
    TempDir dir;
    std::string outPath = dir.Path() + "/out";
    std::string errPath = dir.Path() + "/err";
    pid_t child = ::fork();
    if (child == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(err, 2);
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    RunResult result;
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}

inline std::string OrvalenSub() {
    return std::string(ORVALEN_BINARY_DIR) + "/cli/orvalen-sub";
}

// orvalen-sub with the given arguments.
inline RunResult RunOrvalenSub(std::vector<std::string> args) {
    args.insert(args.begin(), OrvalenSub());
    return RunProgram(args);
}

}  // namespace orvalen::testing
