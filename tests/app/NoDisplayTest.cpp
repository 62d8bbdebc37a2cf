#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

TEST(ProgramWithoutDisplay, SaysSoAndExitsWithAFailure) {
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") + ORVALEN_BINARY_DIR +
        "/app/orvalen' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << "the program must not crash";
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(output.find("no display"), std::string::npos) << output;
}

}  // namespace
