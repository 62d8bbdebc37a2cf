#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>

namespace {

namespace fs = std::filesystem;

bool WindowShownBy(pid_t pid) {
    const std::string command = "xdotool search --pid " + std::to_string(pid) + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// The exit status of pid, or -1 when it has not ended within ten seconds (it is then killed).
int WaitForExit(pid_t pid) {
    int status = 0;
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

// The program's exit steps on a signal, with a home of its own: the bar keys reach
// Config.ini, and nothing but Config.ini is written under the configuration folder. A
// Config.ini that cannot be written is reported on the standard error, not in a box.
class ProgramSignalTest : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(ProgramSignalTest, QuitsTheNormalWayAndWritesOnlyItsConfigFile) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
    const fs::path home =
        fs::temp_directory_path() / ("orvalen-signal-" + std::to_string(getpid()));
    fs::remove_all(home);
    fs::create_directories(home / ".config");
    const std::string film = (home / "film.avi").string();
    ASSERT_EQ(std::system(("ffmpeg -nostdin -v error -f lavfi -i testsrc=size=64x48:rate=25:"
                           "duration=2 -c:v mpeg4 '" +
                           film + "'")
                              .c_str()),
              0);

    const auto [signal, readOnly] = GetParam();
    const fs::path configFile = home / ".config/orvalen/Config.ini";
    if (readOnly) {
        fs::create_directories(configFile.parent_path());
        std::ofstream(configFile) << "[General]\n";
        fs::permissions(configFile, fs::perms::owner_read);
    }
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        [[maybe_unused]] FILE* errors = freopen((home / "stderr.txt").c_str(), "w", stderr);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
        setenv("ORVALEN_CONFIG", (home / ".config/orvalen/Config.ini").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        const std::string program = std::string(ORVALEN_BINARY_DIR) + "/app/orvalen";
        execl(program.c_str(), program.c_str(), film.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    bool shown = false;
    for (int i = 0; i < 200 && !shown; ++i) {
        shown = WindowShownBy(pid);
        if (!shown) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(shown);
    kill(pid, signal);
    const int status = WaitForExit(pid);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by the signal, or hung: " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);

    std::ifstream config(configFile);
    std::stringstream text, errors;
    text << config.rdbuf();
    errors << std::ifstream(home / "stderr.txt").rdbuf();
    if (readOnly) {
        EXPECT_NE(errors.str().find("Impossible d'écrire dans " + configFile.string()),
                  std::string::npos)
            << errors.str();
        EXPECT_EQ(text.str(), "[General]\n");
        fs::remove_all(home);
        return;
    }
    EXPECT_NE(text.str().find("StateBarre="), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("ToolBarre="), std::string::npos) << text.str();
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(home)) {
        EXPECT_NE(entry.path().filename(), "QtProject.conf");
    }
    fs::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(TermAndInterrupt, ProgramSignalTest,
                         ::testing::Combine(::testing::Values(SIGTERM, SIGINT), ::testing::Bool()));

}  // namespace
