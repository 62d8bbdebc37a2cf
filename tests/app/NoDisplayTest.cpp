#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <ostream>
#include <string>

namespace {

struct NoDisplayCase {
    const char* environment;  // env(1) arguments before the program
    const char* arguments;
    int exitStatus;
    const char* output;  // a part of what the program prints
};

void PrintTo(const NoDisplayCase& c, std::ostream* out) {
    *out << c.environment << " orvalen " << c.arguments;
}

class ProgramWithoutDisplay : public ::testing::TestWithParam<NoDisplayCase> {};

TEST_P(ProgramWithoutDisplay, AnswersWithoutCrashing) {
    const NoDisplayCase& c = GetParam();
    const std::string command = std::string("env ") + c.environment + " '" + ORVALEN_BINARY_DIR +
                                "/app/orvalen' " + c.arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << "the program must not crash";
    EXPECT_EQ(WEXITSTATUS(status), c.exitStatus) << output;
    EXPECT_NE(output.find(c.output), std::string::npos) << output;
}

constexpr const char* kNoDisplay = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
// A display number no X server listens on, with the X11 platform as Qt picks it by default.
constexpr const char* kUnreachable =
    "-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE DISPLAY=:4093";

// Qt's platform named, with a display that is not there.
constexpr const char* kUnreachableWayland =
    "-u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=orvalen-none XDG_RUNTIME_DIR=/tmp";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramWithoutDisplay,
    ::testing::Values(NoDisplayCase{kNoDisplay, "", 1, "no display"},
                      NoDisplayCase{kUnreachable, "", 1, "cannot connect to display :4093"},
                      NoDisplayCase{kUnreachableWayland, "", 1,
                                    "cannot connect to Wayland display orvalen-none"},
                      NoDisplayCase{"-u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=orvalen-none",
                                    "", 1, "cannot connect to Wayland display orvalen-none"},
                      NoDisplayCase{kNoDisplay, "--help", 0, "usage: orvalen [FILM]"},
                      NoDisplayCase{kNoDisplay, "film.avi -h", 0, "ORVALEN_CONFIG"},
                      NoDisplayCase{kNoDisplay, "--version", 0, "orvalen 0."}));

}  // namespace
