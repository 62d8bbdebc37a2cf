#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "CliRunner.h"
#include "cli/CliCommon.h"
#include "subtitles/Parser.h"
#include "subtitles/SubRipWriter.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::RunOrvalenSub;
using testing::RunResult;
using testing::TempDir;

const std::string SubRip =
    "1\r\n00:00:01,500 --> 00:00:04,000\r\nHello\r\nWorld\r\n\r\n"
    "2\r\n00:00:05,000 --> 00:00:06,000\r\nBye\r\n";

TEST(Dump, PrintsFormatCountEncodingAndEntries) {
    TempDir dir;
    RunResult r = RunOrvalenSub({"dump", dir.Write("film.srt", SubRip)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "format: subrip\ncount: 2\nencoding: UTF-8\n"
              "0\t1500\t4000\tHello\\nWorld\\n\n"
              "1\t5000\t6000\tBye\\n\n");
    EXPECT_EQ(r.err, "");
}

TEST(Dump, ConvertsTextsFromTheGivenEncoding) {
    TempDir dir;
    std::string file = dir.Write("ru.srt", "1\n00:00:01,000 --> 00:00:02,000\n\xcf\xf0\xe8\t\n");
    RunResult r = RunOrvalenSub({"dump", file, "--encoding", "WINDOWS-1251"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "format: subrip\ncount: 1\nencoding: WINDOWS-1251\n"
              "0\t1000\t2000\t\xd0\x9f\xd1\x80\xd0\xb8\\t\\n\n");
    RunResult unknown = RunOrvalenSub({"dump", file, "--encoding", "NO-SUCH"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown encoding NO-SUCH"), std::string::npos);
}

TEST(Dump, EscapesEveryByteThatIsNotPrintableAscii) {
    TempDir dir;
    std::string text = "a\\b\tc\x01\x1f\x7f\xe9\xff~ |d";
    RunResult r = RunOrvalenSub({"dump", dir.Write("x.psb", "{0:00:01}{0:00:02}" + text + "\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\n0\t1000\t2000\ta\\\\b\\tc\\x01\\x1f\\x7f\\xe9\\xff~ \\rd\\n\n"),
              std::string::npos)
        << r.out;
}

struct FpsCase {
    std::vector<std::string> options;
    const char* frameRateLine;
    int32_t start;
    int32_t end;
};

TEST(Dump, UsesTheGivenFrameRateOrTheDefault) {
    const FpsCase cases[] = {
        {{}, "framerate: 23976\n", 2085, 2502},
        {{"--fps", "25"}, "framerate: 25000\n", 2000, 2400},
        {{"--fps", "23.976"}, "framerate: 23976\n", 2085, 2502},
        {{"--fps", "29.97"}, "framerate: 29970\n", 1668, 2002},
        {{"--fps", "0.5"}, "framerate: 500\n", 100000, 120000},
    };
    TempDir dir;
    std::string file = dir.Write("film.sub", "{50}{60}A\n");
    for (const FpsCase& c : cases) {
        std::vector<std::string> args = {"dump", file};
        args.insert(args.end(), c.options.begin(), c.options.end());
        RunResult r = RunOrvalenSub(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, std::string("format: microdvd\n") + c.frameRateLine +
                             "count: 1\nencoding: UTF-8\n0\t" + std::to_string(c.start) + "\t" +
                             std::to_string(c.end) + "\tA\\n\n");
    }
}

TEST(Dump, ExtensionWithoutReaderIsStatus3) {
    TempDir dir;
    RunResult r = RunOrvalenSub({"dump", dir.Write("film.smi", "<SAMI>")});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "format: unknown\ncount: 0\n");
    EXPECT_NE(r.err, "");
}

TEST(Dump, FileThatCannotBeOpenedIsStatus1WhateverItsExtension) {
    TempDir dir;
    for (const char* name : {"/missing.srt", "/missing.smi", "/missing"}) {
        RunResult r = RunOrvalenSub({"dump", dir.Path() + name});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_NE(r.err, "") << name;
    }
}

TEST(Dump, EmptyTrackIsStatus0) {
    TempDir dir;
    RunResult r = RunOrvalenSub({"dump", dir.Write("film.srt", "")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "format: subrip\ncount: 0\nencoding: UTF-8\n");
}

TEST(Cli, UsageErrorsAreStatus2WithAUsageText) {
    TempDir dir;
    std::string file = dir.Write("film.srt", SubRip);
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"nosuchcommand"},
        {"dump"},
        {"dump", file, file},
        {"dump", file, "--fps"},
        {"dump", file, "--fps", "abc"},
        {"dump", file, "--fps", "0"},
        {"dump", file, "--fps", "-25"},
        {"dump", file, "--fps", "0x19"},
        {"dump", file, "--bogus"},
        {"convert"},
        {"convert", file, "-o"},
        {"convert", file, "--fps", "1e3"},
    };
    for (const auto& args : cases) {
        RunResult r = RunOrvalenSub(args);
        std::string joined;
        for (const std::string& arg : args) joined += arg + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_NE(r.err.find("usage: orvalen-sub"), std::string::npos) << joined;
    }
}

TEST(Cli, HelpDescribesTheCommands) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"dump", "--help"}, {"convert", "--help"}}) {
        RunResult r = RunOrvalenSub(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("usage: orvalen-sub"), std::string::npos);
    }
}

TEST(Convert, WritesWhatTheSaveWritesToStandardOutput) {
    TempDir dir;
    std::string file = dir.Write("film.sub", "{25}{50}A|B\n{75}{100}C\n");
    RunResult r = RunOrvalenSub({"convert", file, "--fps", "25"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "1\r\n0:00:01,000 --> 0:00:02,000\r\nA\r\nB\r\n\r\n"
              "2\r\n0:00:03,000 --> 0:00:04,000\r\nC\r\n\r\n");

    SubtitleTrack track;
    ASSERT_EQ(cli::LoadInput(file, 25000, track), 0);
    std::string saved = dir.Path() + "/saved.srt";
    std::string error;
    ASSERT_TRUE(SaveSubRipFile(track, saved, error));
    EXPECT_EQ(r.out, ReadFile(saved));
}

TEST(Convert, WritesOutAndReplacesAnExistingFile) {
    TempDir dir;
    std::string out = dir.Write("out.srt", std::string(5000, 'x'));
    RunResult r = RunOrvalenSub({"convert", dir.Write("in.srt", SubRip), "-o", out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(out),
              "1\r\n0:00:01,500 --> 0:00:04,000\r\nHello\r\nWorld\r\n\r\n"
              "2\r\n0:00:05,000 --> 0:00:06,000\r\nBye\r\n\r\n");
}

TEST(Convert, FailedWriteIsStatus1AndLeavesOutWhole) {
    TempDir dir;
    std::string big;
    for (int i = 1; i <= 200; ++i) {
        big += std::to_string(i) + "\n00:00:01,000 --> 00:00:02,000\nSome text\n\n";
    }
    std::string in = dir.Write("in.srt", big);
    std::string out = dir.Write("out.srt", "precious");
    // No file may grow beyond 1 KiB, which binds root too.
    RunResult r = testing::RunProgram(
        {"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\" convert \"$1\" -o \"$2\"",
         testing::OrvalenSub(), in, out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err, "");
    EXPECT_EQ(ReadFile(out), "precious");

    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
        RunResult readOnly = RunOrvalenSub({"convert", in, "-o", out});
        EXPECT_EQ(readOnly.status, 1);
        EXPECT_EQ(ReadFile(out), "precious");
    }
}

TEST(Dump, PipeIsRefusedAtOnce) {
    TempDir dir;
    std::string pipe = dir.Path() + "/p.srt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // A dump that waits for a writer is stopped after 10 s (status 124).
    RunResult r =
        testing::RunProgram({"/usr/bin/timeout", "10", testing::OrvalenSub(), "dump", pipe});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvalen-sub: cannot open '" + pipe + "': not a regular file\n");
}

TEST(Dump, SaysHowManySubtitlesDidNotFit) {
    TempDir dir;
    std::string microDvd;
    for (int i = 0; i < TrackCapacity + 2; ++i) microDvd += "{1}{2}a\n";
    std::string path = dir.Write("big.sub", microDvd);
    RunResult r = RunOrvalenSub({"dump", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("count: 10000\n"), std::string::npos);
    EXPECT_EQ(r.err, "orvalen-sub: '" + path +
                         "': 2 subtitles not loaded: a track holds at most 10000 subtitles\n");
}

TEST(Convert, FileThatGivesNoSubtitleIsNotWrittenOverItself) {
    TempDir dir;
    std::string noise = "\x93\x01garbage\xff\n";
    std::string path = dir.Write("x.srt", noise);
    RunResult r = RunOrvalenSub({"convert", path, "-o", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvalen-sub convert: '" + path +
                         "' gave no subtitle; it is not replaced by an empty file\n");
    EXPECT_EQ(ReadFile(path), noise);
    std::string other = dir.Path() + "/empty.srt";
    EXPECT_EQ(RunOrvalenSub({"convert", path, "-o", other}).status, 0);
    EXPECT_EQ(ReadFile(other), "");
}

TEST(Convert, InputErrorsKeepTheirStatus) {
    TempDir dir;
    std::string out = dir.Path() + "/out.srt";
    EXPECT_EQ(RunOrvalenSub({"convert", dir.Write("a.smi", "x"), "-o", out}).status, 3);
    EXPECT_EQ(RunOrvalenSub({"convert", dir.Path() + "/missing.srt", "-o", out}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace orvalen
