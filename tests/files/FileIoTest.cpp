#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/FileIo.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

mode_t KindOf(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

TEST(ReadWholeFile, ReadsOnlyRegularFilesUpToTheLimit) {
    TempDir dir;
    std::string pipe = dir.Path() + "/p.srt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string zero = dir.Path() + "/zero.srt";
    std::filesystem::create_symlink("/dev/zero", zero);
    std::string huge = dir.Write("huge.srt", "");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(ReadLimit) + 1), 0);
    std::string limit = dir.Write("limit.srt", "");
    ASSERT_EQ(::truncate(limit.c_str(), static_cast<off_t>(ReadLimit)), 0);
    struct Case {
        std::string path;
        ReadStatus status;
        const char* error;
    } cases[] = {
        {pipe, ReadStatus::Failed, "not a regular file"},
        {zero, ReadStatus::Failed, "not a regular file"},
        {dir.Path(), ReadStatus::Failed, "Is a directory"},
        {dir.Path() + "/missing.srt", ReadStatus::Missing, "No such file or directory"},
        {huge, ReadStatus::Failed, "file too large (over 256 MiB)"},
        {limit, ReadStatus::Read, ""},
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        std::string error;
        EXPECT_EQ(ReadWholeFile(c.path, bytes, error), c.status) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
        EXPECT_EQ(bytes.size(), c.status == ReadStatus::Read ? ReadLimit : 0) << c.path;
    }
}

TEST(WriteFileAtomically, WritesIntoAPipeThatIsReadAndRefusesOneThatIsNot) {
    TempDir dir;
    std::string pipe = dir.Path() + "/out.srt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(pipe, "1\r\n", error));
    EXPECT_EQ(error, "no process reads from the pipe");
    EXPECT_EQ(KindOf(pipe), S_IFIFO);

    int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomically(pipe, "1\r\n", error)) << error;
    char got[8] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 3);
    ::close(reader);
    EXPECT_EQ(std::string(got), "1\r\n");
    EXPECT_EQ(KindOf(pipe), S_IFIFO);
}

TEST(WriteFileAtomically, WritesIntoADeviceNodeInsteadOfReplacingIt) {
    TempDir dir;
    std::string node = dir.Path() + "/d";
    // The node of the device that refuses every write for want of space.
    if (::mknod(node.c_str(), S_IFCHR | 0600, ::makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make a device node here (needs root)";
    }
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(node, "1\r\n", error));
    EXPECT_EQ(error, std::strerror(ENOSPC));
    EXPECT_EQ(KindOf(node), S_IFCHR);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(WriteFileAtomically, CreatesTheTargetOfADanglingLinkAndKeepsTheLink) {
    TempDir dir;
    std::string link = dir.Path() + "/link.srt";
    std::filesystem::create_symlink("real.srt", link);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(link, "new", error)) << error;
    EXPECT_EQ(KindOf(link), S_IFLNK);
    EXPECT_EQ(ReadFile(dir.Path() + "/real.srt"), "new");
}

TEST(WriteFileAtomically, SavesTheLongestNameAndRemovesOnlyDeadProcessesTemporaries) {
    TempDir dir;
    const std::string name = std::string(NAME_MAX - 4, 'n') + ".srt";
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
    const std::string stem = dir.Path() + "/.saved.srt";
    const std::string stale = stem + "." + std::to_string(dead) + ".0.orvalen-tmp";
    const std::string living = stem + "." + std::to_string(::getppid()) + ".0.orvalen-tmp";
    for (const std::string& left : {stale, living}) std::ofstream(left) << "half";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(dir.Path() + "/" + name, "whole", error)) << error;
    EXPECT_EQ(ReadFile(dir.Path() + "/" + name), "whole");
    ASSERT_TRUE(WriteFileAtomically(dir.Path() + "/saved.srt", "whole", error)) << error;
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(living));
}

}  // namespace
}  // namespace orvalen
