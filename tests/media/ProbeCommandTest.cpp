#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Films.h"

namespace orvalen {
namespace {

using test::Film;

struct ProbeRun {
    int status;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

ProbeRun Probe(const std::string& arguments) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::string tag = "orvalen-probe-" + std::to_string(getpid());
    const auto out = dir / (tag + ".out");
    const auto err = dir / (tag + ".err");
    const std::string command = Quote(std::string(ORVALEN_BINARY_DIR) + "/cli/orvalen-sub") +
                                " probe " + arguments + " >" + Quote(out.string()) + " 2>" +
                                Quote(err.string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    ProbeRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(out), ReadAll(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

struct ProbeCase {
    const char* name;
    const char* expected;
};

void PrintTo(const ProbeCase& c, std::ostream* os) {
    *os << c.name;
}

class ProbeCommandTest : public testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeCommandTest, PrintsLengthSizeAndFrameRate) {
    const ProbeRun run = Probe(Quote(Film(GetParam().name)));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Films, ProbeCommandTest,
    testing::Values(ProbeCase{"avi23976.avi", "length: 5005\nsize: 640 * 272\nframerate: 23976\n"},
                    ProbeCase{"mpeg2.mpg", "length: 3000\nsize: 640 * 272\nframerate: 25000\n"},
                    ProbeCase{"dir with blanks é/fïlm ñame (1).avi",
                              "length: 3000\nsize: 320 * 240\nframerate: 25000\n"},
                    ProbeCase{"sound-only.avi", "length: 3030\nsize: 0 * 0\nframerate: 0\n"}),
    [](const testing::TestParamInfo<ProbeCase>& info) {
        return "Film" + std::to_string(info.index);
    });

TEST(ProbeCommandErrorsTest, FilmThatWillNotOpenExitsWithOne) {
    for (const std::string& path : {Film("text.avi"), test::MissingFilm()}) {
        const ProbeRun run = Probe(Quote(path));
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;
    }
}

TEST(ProbeCommandErrorsTest, UsageErrorsExitWithTwo) {
    for (const std::string& arguments :
         {std::string(), Quote(Film("red.avi")) + " extra", std::string("--frames")}) {
        const ProbeRun run = Probe(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: orvalen-sub probe FILM"), std::string::npos);
    }
}

TEST(ProbeCommandErrorsTest, HelpGoesToStandardOutput) {
    const ProbeRun run = Probe("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("usage: orvalen-sub probe FILM"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace orvalen
