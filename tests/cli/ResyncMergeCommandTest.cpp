#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using orvalen::testing::RunOrvalenSub;
using orvalen::testing::RunResult;
using testing::ReadFile;
using testing::TempDir;

// Entries 1 to 4 start at 10, 20, 30 and 40 s.
constexpr const char* kFilm =
    "1\n0:00:05,000 --> 0:00:06,000\na\n\n"
    "2\n0:00:10,000 --> 0:00:12,000\nb\n\n"
    "3\n0:00:20,000 --> 0:00:21,500\nc\n\n"
    "4\n0:00:30,000 --> 0:00:31,000\nd\n\n"
    "5\n0:00:40,000 --> 0:00:41,000\ne\n\n";

const std::vector<std::string> kRefs = {"--ref", "1:11000", "--ref", "2:21400",
                                        "--ref", "3:31800", "--ref", "4:42200"};

std::vector<std::string> Args(std::vector<std::string> head,
                              const std::vector<std::string>& tail = {}) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(ResyncCommand, PrintsTheFactorAndShiftAndWritesTheRewrittenFile) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string film = dir.Write("film.srt", kFilm);
    std::string out = dir.File("out.srt");
    RunResult run = RunOrvalenSub(Args(Args({"resync", film}, kRefs), {"-o", out}));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Dilatation = 1.04   Shift = -599\n");
    EXPECT_EQ(ReadFile(out),
              "1\r\n0:00:05,799 --> 0:00:06,839\r\na\r\n\r\n"
              "2\r\n0:00:10,999 --> 0:00:13,079\r\nb\r\n\r\n"
              "3\r\n0:00:21,399 --> 0:00:22,959\r\nc\r\n\r\n"
              "4\r\n0:00:31,799 --> 0:00:32,839\r\nd\r\n\r\n"
              "5\r\n0:00:42,199 --> 0:00:43,239\r\ne\r\n\r\n");
}

TEST(ResyncCommand, WritesNothingWithoutAnOutput) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string film = dir.Write("film.srt", kFilm);
    RunResult run = RunOrvalenSub(Args({"resync", film, "--fps", "25"}, kRefs));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Dilatation = 1.04   Shift = -599\n");
    EXPECT_EQ(ReadFile(film), kFilm);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ResyncCommand, AcceptsFailedPositionsAsMarks) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string film = dir.Write("film.srt", kFilm);
    RunResult run = RunOrvalenSub(
        {"resync", film, "--ref", "0:-1", "--ref", "1:-1", "--ref", "2:-1", "--ref", "3:-1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Dilatation = 0   Shift = 1\n");
}

TEST(ResyncCommand, RejectsWrongReferencesAsUsageErrors) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string film = dir.Write("film.srt", kFilm);
    std::string out = dir.File("out.srt");
    const std::vector<std::vector<std::string>> cases = {
        {"--ref", "1:1", "--ref", "2:2", "--ref", "3:3"},
        Args(kRefs, {"--ref", "5:5"}),
        {"--ref", "1:1", "--ref", "3:2", "--ref", "2:3", "--ref", "4:4"},
        {"--ref", "1:1", "--ref", "1:2", "--ref", "3:3", "--ref", "4:4"},
        {"--ref", "1:1", "--ref", "2:2", "--ref", "3:3", "--ref", "5:4"},
        {"--ref", "-1:1", "--ref", "2:2", "--ref", "3:3", "--ref", "4:4"},
        {"--ref", "a:1", "--ref", "2:2", "--ref", "3:3", "--ref", "4:4"},
        {"--ref", "1:", "--ref", "2:2", "--ref", "3:3", "--ref", "4:4"},
        {"--ref", "1:99999999999", "--ref", "2:2", "--ref", "3:3", "--ref", "4:4"},
        Args(kRefs, {"--fps", "fast"}),
        Args(kRefs, {"--speed", "2"}),
        Args(kRefs, {"--ref"}),
    };
    for (const auto& refs : cases) {
        RunResult run = RunOrvalenSub(Args(Args({"resync", film}, refs), {"-o", out}));
        EXPECT_EQ(run.status, 2) << refs[1];
        EXPECT_NE(run.err.find("usage: orvalen-sub resync"), std::string::npos);
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(RunOrvalenSub(Args({"resync"}, kRefs)).status, 2);
}

TEST(ResyncCommand, RefusesReferencesStartingTogetherAndKeepsTheOutput) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string film = dir.Write("film.srt",
                                 "1\n0:00:01,000 --> 0:00:02,000\na\n\n"
                                 "2\n0:00:03,000 --> 0:00:04,000\nb\n\n"
                                 "3\n0:00:03,000 --> 0:00:05,000\nc\n\n"
                                 "4\n0:00:07,000 --> 0:00:08,000\nd\n\n");
    std::string out = dir.Write("out.srt", "previous");
    RunResult run = RunOrvalenSub({"resync", film, "--ref", "0:1", "--ref", "1:2", "--ref", "2:3",
                                   "--ref", "3:4", "-o", out});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("subtitles 1 and 2 start at the same time"), std::string::npos)
        << run.err;
    EXPECT_EQ(ReadFile(out), "previous");
}

TEST(ResyncCommand, ReportsInputsItCannotRead) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    EXPECT_EQ(RunOrvalenSub(Args({"resync", dir.File("missing.srt")}, kRefs)).status, 1);
    EXPECT_EQ(RunOrvalenSub(Args({"resync", dir.Write("film.xyz", kFilm)}, kRefs)).status, 3);
}

TEST(ResyncCommand, ReportsAnOutputItCannotWrite) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string film = dir.Write("film.srt", kFilm);
    RunResult run =
        RunOrvalenSub(Args(Args({"resync", film}, kRefs), {"-o", dir.File("no/out.srt")}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
}

constexpr const char* kFirstPart =
    "1\n0:00:01,000 --> 0:00:02,000\na\n\n"
    "2\n0:00:02,500 --> 0:00:03,000\nb\n\n"
    "3\n0:00:04,000 --> 0:00:05,000\nc\n\n";
constexpr const char* kSecondPart =
    "1\n0:00:02,000 --> 0:00:03,000\nX\n\n"
    "2\n0:00:04,000 --> 0:00:06,000\nY\n\n";
constexpr const char* kMerged =
    "1\r\n0:00:01,000 --> 0:00:02,000\r\na\r\n\r\n"
    "2\r\n0:00:02,500 --> 0:00:03,000\r\nb\r\n\r\n"
    "3\r\n0:00:04,000 --> 0:00:05,000\r\nc\r\n\r\n"
    "4\r\n0:00:05,300 --> 0:00:06,300\r\nX\r\n\r\n"
    "5\r\n0:00:07,300 --> 0:00:09,300\r\nY\r\n\r\n";

TEST(MergeCommand, AppendsTheSecondFileAtTheAnchor) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string first = dir.Write("part1.srt", kFirstPart);
    std::string second = dir.Write("part2.srt", kSecondPart);
    RunResult run = RunOrvalenSub({"merge", first, second, "--at", "5300"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kMerged);

    std::string out = dir.File("merged.srt");
    run = RunOrvalenSub({"merge", "--at", "5300", first, "-o", out, second});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(out), kMerged);
}

TEST(MergeCommand, ReadsFramesWithTheGivenRate) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string first = dir.Write("part1.sub", "{250}{300}a\n");
    std::string second = dir.Write("part2.sub", "{500}{550}X\n{1000}{1100}Y\n");
    RunResult run = RunOrvalenSub({"merge", first, second, "--at", "-1", "--fps", "25"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "1\r\n0:00:10,000 --> 0:00:12,000\r\na\r\n\r\n"
              "2\r\n0:00:00,000 --> 0:00:01,999\r\nX\r\n\r\n"  // -1 ms, written as 0
              "3\r\n0:00:19,999 --> 0:00:23,999\r\nY\r\n\r\n");
}

TEST(MergeCommand, LeavesOutWhatDoesNotFitAndSaysSo) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string big;
    for (int i = 0; i < 9999; ++i)
        big += "{" + std::to_string(i) + "}{" + std::to_string(i) + "}a\n";
    std::string first = dir.Write("big.sub", big);
    std::string second = dir.Write("part2.srt", kSecondPart + std::string(kSecondPart));
    RunResult run = RunOrvalenSub({"merge", first, second, "--at", "0", "-o", dir.File("out.srt")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err,
              "orvalen-sub merge: 3 subtitles not merged: a track holds at most 10000 "
              "subtitles\n");
    std::string out = ReadFile(dir.File("out.srt"));
    EXPECT_NE(out.find("\r\n10000\r\n0:00:00,000 --> 0:00:01,000\r\nX\r\n"), std::string::npos);
    EXPECT_EQ(out.find("10001"), std::string::npos);
}

TEST(MergeCommand, RejectsWrongArguments) {
    TempDir dir;
    ASSERT_TRUE(dir.Valid());
    std::string first = dir.Write("part1.srt", kFirstPart);
    std::string second = dir.Write("part2.srt", kSecondPart);
    const std::vector<std::vector<std::string>> usage = {
        {first, second},
        {first, "--at", "5"},
        {first, second, first, "--at", "5"},
        {first, second, "--at", "5s"},
        {first, second, "--at", "99999999999"},
        {first, second, "--at", "5", "--at", "6"},
        {first, second, "--at"},
        {first, second, "--at", "5", "-o", ""},
    };
    for (const auto& args : usage) {
        RunResult run = RunOrvalenSub(Args({"merge"}, args));
        EXPECT_EQ(run.status, 2) << args.size();
        EXPECT_NE(run.err.find("usage: orvalen-sub merge"), std::string::npos);
    }
    EXPECT_EQ(RunOrvalenSub({"merge", first, dir.File("none.srt"), "--at", "5"}).status, 1);
    EXPECT_EQ(RunOrvalenSub({"merge", dir.Write("x.xyz", ""), second, "--at", "5"}).status, 3);
    EXPECT_EQ(RunOrvalenSub({"merge", first, dir.Write("y.xyz", ""), "--at", "5"}).status, 3);
}

}  // namespace
}  // namespace orvalen
