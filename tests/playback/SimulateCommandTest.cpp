#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace orvalen {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string out;
};

class SimulateCommand : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "orvalen-simulate-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // Runs orvalen-sub simulate with the words given (none holds a quote); stdout only.
    static ToolRun Simulate(const std::string& words) {
        const std::string command = std::string("'") + ORVALEN_BINARY_DIR +
                                    "/cli/orvalen-sub' simulate " + words + " 2>/dev/null";
        ToolRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[4096];
        size_t got = 0;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
        const int status = pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    fs::path dir_;
};

constexpr char kTwo[] =
    "1\r\n00:00:01,000 --> 00:00:03,000\r\nFirst\r\nline two\r\n\r\n"
    "2\r\n00:00:02,500 --> 00:00:04,000\r\nSecond\r\n\r\n";

TEST_F(SimulateCommand, PrintsEachTickWithTheIndexAfterItAndTheEscapedText) {
    const std::string file = Write("film.srt", kTwo);
    const ToolRun run = Simulate("'" + file + "' --positions 1000,1001,3000,3050,3100");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "1000\t0\t\n"
              "1001\t0\tFirst\\nline two\\n\n"
              "3000\t0\t\n"
              "3050\t1\t\n"
              "3100\t1\tSecond\\n\n");
}

TEST_F(SimulateCommand, DelayWidensTheWindow) {
    const std::string file = Write("film.srt", kTwo);
    const ToolRun run = Simulate("'" + file + "' --delay 500 --positions 500,501");
    EXPECT_EQ(run.out, "500\t0\t\n501\t0\tFirst\\nline two\\n\n");
}

TEST_F(SimulateCommand, TheLoadReAlignsAtTheFirstPositionAndAJumpBeforeItsTick) {
    const std::string file = Write("film.srt", kTwo);
    const ToolRun run = Simulate("'" + file + "' --positions 9000,@1500,2000,-1");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "9000\t2\t\n"
              "1500\t0\tFirst\\nline two\\n\n"
              "2000\t0\tFirst\\nline two\\n\n"
              "-1\t0\t\n");
}

TEST_F(SimulateCommand, FrameCountedFilesUseTheGivenRate) {
    // Frames 24 and 48: 960 to 1920 ms at 25 frames a second, 1001 to 2002 ms at 23.976.
    const std::string file = Write("film.sub", "{24}{48}One|Two\n");
    EXPECT_EQ(Simulate("'" + file + "' --fps 25 --positions 1000,1950").out,
              "1000\t0\tOne\\rTwo\\n\n1950\t1\t\n");
    EXPECT_EQ(Simulate("'" + file + "' --positions 1000,1950").out,
              "1000\t0\t\n1950\t0\tOne\\rTwo\\n\n");
}

TEST_F(SimulateCommand, AFileWithoutReaderShowsNothing) {
    const std::string file = Write("film.smi", "<SAMI></SAMI>");
    const ToolRun run = Simulate("'" + file + "' --positions 0,1000");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "0\t0\t\n1000\t0\t\n");
}

TEST_F(SimulateCommand, UsageErrors) {
    const std::string file = Write("film.srt", kTwo);
    for (const std::string& words :
         {std::string("'" + file + "'"), std::string("--positions 1,2"),
          "'" + file + "' --positions 1,,2", "'" + file + "' --positions 1,x",
          "'" + file + "' --positions 99999999999", "'" + file + "' --positions 1 --delay 1.5",
          "'" + file + "' --positions 1 --bogus"}) {
        EXPECT_EQ(Simulate(words).exitCode, 2) << words;
    }
    EXPECT_EQ(Simulate("'" + (dir_ / "missing.srt").string() + "' --positions 1").exitCode, 1);
}

}  // namespace
}  // namespace orvalen
