#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "tests/TempDir.h"

extern char** environ;

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs orvalen-sub with the arguments, ORVALEN_CONFIG set to config ("" leaves it unset).
ToolRun RunTool(const TempDir& dir, const std::vector<std::string>& arguments,
                const std::string& config = "") {
    std::string tool = std::string(ORVALEN_BINARY_DIR) + "/cli/orvalen-sub";
    std::vector<std::string> words = {tool};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("ORVALEN_CONFIG=", 0) != 0) environment.push_back(*entry);
    }
    if (!config.empty()) environment.push_back("ORVALEN_CONFIG=" + config);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    std::string outPath = dir / "stdout";
    std::string errPath = dir / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    ToolRun run;
    int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot run " << tool;
        return run;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
}

// A film directory with three matching files and a config that searches it for sub and srt.
class SearchCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        film_ = dir_.Write("films/Matrix 2 EN.avi", "");
        for (const char* name : {"Matrix 2 FR.srt", "Matrix 2 EN.sub", "Matrix 2 DE.txt"}) {
            dir_.Write(std::string("films/") + name, "x");
        }
        config_ = dir_.Write("Config.ini",
                             "[General]\r\nCurrentDir=1\r\nNbrChar=2\r\n"
                             "[SubtitleFormat]\r\nsub=1\r\nsrt=1\r\n");
    }

    TempDir dir_;
    std::string film_;
    std::string config_;
};

TEST_F(SearchCommandTest, PrintsTheCandidatesInOrder) {
    const std::string expected =
        dir_ / "films/Matrix 2 EN.sub\n" + dir_ / "films/Matrix 2 FR.srt\n";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{film_, "--config", config_},
          std::vector<std::string>{"--config", config_, film_},
          std::vector<std::string>{"--config=" + config_, "--", film_}}) {
        std::vector<std::string> call = {"search"};
        call.insert(call.end(), arguments.begin(), arguments.end());
        ToolRun run = RunTool(dir_, call);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(SearchCommandTest, ReadsThePlayersConfigByDefault) {
    ToolRun run = RunTool(dir_, {"search", film_}, config_);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, dir_ / "films/Matrix 2 EN.sub\n" + dir_ / "films/Matrix 2 FR.srt\n");
}

TEST_F(SearchCommandTest, WithoutAUserFileReadsTheShippedDefaultAsThePlayerDoes) {
    dir_.Write("films/Matrix 2 EN.fr.srt", "x");
    ::setenv("XDG_CONFIG_DIRS", (dir_ / "no-system-config").c_str(), 1);
    ToolRun run = RunTool(dir_, {"search", film_}, dir_ / "missing.ini");
    ::unsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(run.exitCode, 0);
    // The default beside the tool searches the film's folder for every readable format.
    EXPECT_EQ(run.out, dir_ / "films/Matrix 2 EN.fr.srt\n" + dir_ / "films/Matrix 2 EN.sub\n");
}

TEST_F(SearchCommandTest, NothingFoundPrintsNothing) {
    ToolRun run = RunTool(dir_, {"search", dir_ / "films/Other.avi", "--config", config_});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    run = RunTool(dir_, {"search", film_, "--config", dir_ / "missing.ini"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(SearchCommandTest, HelpGoesToStandardOutput) {
    ToolRun run = RunTool(dir_, {"search", "--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: orvalen-sub search FILM [--config INI]\n", 0), 0u);
}

TEST_F(SearchCommandTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> wrongCalls = {{"search"},
                                                              {"search", film_, film_},
                                                              {"search", film_, "--config"},
                                                              {"search", film_, "--verbose"}};
    for (const std::vector<std::string>& arguments : wrongCalls) {
        ToolRun run = RunTool(dir_, arguments, config_);
        EXPECT_EQ(run.exitCode, 2) << arguments.size();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: orvalen-sub search"), std::string::npos);
    }
}

}  // namespace
}  // namespace orvalen
