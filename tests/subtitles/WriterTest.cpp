#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <climits>
#include <filesystem>
#include <string>

#include "subtitles/Parser.h"
#include "subtitles/SubRipWriter.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

TEST(SubRipTimeText, WritesHoursMinutesSecondsMilliseconds) {
    const std::pair<int32_t, const char*> cases[] = {
        {3723004, "1:02:03,004"},
        {0, "0:00:00,000"},
        {10, "0:00:00,010"},
        {100, "0:00:00,100"},
        {59999, "0:00:59,999"},
        {36000000, "10:00:00,000"},
        {INT32_MAX, "596:31:23,647"},
        // Negative times (from a resynchronisation) are written as the start of the film.
        {-1, "0:00:00,000"},
        {-3723004, "0:00:00,000"},
        {INT32_MIN, "0:00:00,000"},
    };
    for (const auto& [t, text] : cases) EXPECT_EQ(SubRipTimeText(t), text) << t;
}

void Add(SubtitleTrack& track, int32_t start, int32_t end, const std::string& text) {
    track.StartMs[track.Count] = start;
    track.EndMs[track.Count] = end;
    track.Texts[track.Count] = text;
    ++track.Count;
}

std::string Write(SubtitleTrack& track) {
    std::string out;
    EXPECT_EQ(WriteSubRip(track, out), track.Count);
    EXPECT_EQ(track.Cursor, track.Count);
    return out;
}

TEST(WriteSubRip, EmptyTrackWritesNothing) {
    SubtitleTrack track;
    EXPECT_EQ(Write(track), "");
}

TEST(WriteSubRip, WritesEveryLineEndAsCrLf) {
    SubtitleTrack track;
    Add(track, 1500, 4000, "Hello\nWorld\n");
    Add(track, 5000, 6000, "A\rB\n");        // MicroDVD break
    Add(track, 7000, 8000, "Hi \nthere\n");  // LF breaks pass through
    Add(track, 9000, 9500, "A\rB\rC");       // only the first CR breaks; no final LF
    Add(track, -20, 10000, "End\r");         // a CR as last character is kept
    EXPECT_EQ(Write(track),
              "1\r\n0:00:01,500 --> 0:00:04,000\r\nHello\r\nWorld\r\n\r\n"
              "2\r\n0:00:05,000 --> 0:00:06,000\r\nA\r\nB\r\n\r\n"
              "3\r\n0:00:07,000 --> 0:00:08,000\r\nHi \r\nthere\r\n\r\n"
              "4\r\n0:00:09,000 --> 0:00:09,500\r\nA\r\nB\rC\r\n"
              "5\r\n0:00:00,000 --> 0:00:10,000\r\nEnd\r\r\n");
}

TEST(WriteSubRip, NumbersFromOneAtEachSave) {
    SubtitleTrack track;
    Add(track, 0, 1, "a\n");
    Add(track, 2, 3, "b\n");
    track.Cursor = 1;
    std::string first = Write(track);
    EXPECT_EQ(first, Write(track));
    EXPECT_EQ(first.substr(0, 3), "1\r\n");
}

TEST(WriteSubRip, WhatItWritesReadsBackTheSame) {
    SubtitleTrack track;
    LoaderState state;
    std::string source =
        "1\n00:00:01,500 --> 00:00:04,000\nHello\nWorld\n\n"
        "2\n01:02:03,004 --> 01:02:05,000\n\xE9t\xE9\n\n"
        "3\n00:10:00,000 --> 00:10:01,000\nLast\n";
    LoadSubtitleBytes("a.srt", source, track, state, nullptr);
    ASSERT_EQ(track.Count, 3);
    std::string written;
    WriteSubRip(track, written);
    SubtitleTrack again;
    LoadSubtitleBytes("b.srt", written, again, state, nullptr);
    ASSERT_EQ(again.Count, track.Count);
    for (int i = 0; i < track.Count; ++i) {
        EXPECT_EQ(again.StartMs[i], track.StartMs[i]);
        EXPECT_EQ(again.EndMs[i], track.EndMs[i]);
        EXPECT_EQ(again.Texts[i], track.Texts[i]);
    }
}

TEST(SaveSubRipFile, ReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    std::string path = dir.Write("out.srt", "old contents that are longer than the new ones");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    SubtitleTrack track;
    Add(track, 0, 1000, "A\n");
    std::string error;
    ASSERT_TRUE(SaveSubRipFile(track, path, error)) << error;
    EXPECT_EQ(ReadFile(path), "1\r\n0:00:00,000 --> 0:00:01,000\r\nA\r\n\r\n");
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(track.Cursor, 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SaveSubRipFile, WritesThroughASymbolicLink) {
    TempDir dir;
    std::string target = dir.Write("real.srt", "old");
    std::string link = dir.Path() + "/link.srt";
    std::filesystem::create_symlink(target, link);
    SubtitleTrack track;
    Add(track, 0, 1000, "A\n");
    std::string error;
    ASSERT_TRUE(SaveSubRipFile(track, link, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target).substr(0, 3), "1\r\n");
}

TEST(SaveSubRipFile, FailedWriteLeavesTheExistingFileWhole) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    std::string path = dir.Write("out.srt", "precious");
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    SubtitleTrack track;
    Add(track, 0, 1000, "A\n");
    std::string error;
    EXPECT_FALSE(SaveSubRipFile(track, path, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(path), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SaveSubRipFile, WriteCutShortLeavesTheExistingFileWhole) {
    TempDir dir;
    std::string path = dir.Write("out.srt", "precious");
    SubtitleTrack track;
    for (int i = 0; i < 100; ++i) Add(track, i * 1000, i * 1000 + 500, "Line of text\n");
    // The child may write no file beyond 512 bytes, which root cannot override.
    pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {512, 512};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        bool saved = SaveSubRipFile(track, path, error);
        ::_exit(!saved && !error.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile(path), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SaveSubRipFile, ReportsAMissingDirectory) {
    TempDir dir;
    SubtitleTrack track;
    std::string error;
    EXPECT_FALSE(SaveSubRipFile(track, dir.Path() + "/no/such/dir/out.srt", error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace orvalen
