#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/IniFile.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

TEST(IniFile, MissingFileGivesDefaultsAndIsNotCreated) {
    TempDir dir;
    IniFile ini(dir / "Config.ini");
    EXPECT_EQ(ini.ReadString("General", "SubDir", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Font", "Size", 10), 10);
    EXPECT_FALSE(ini.ReadBool("General", "AutoSelect"));
    EXPECT_FALSE(std::filesystem::exists(ini.Path()));
}

TEST(IniFile, ReadsAHandEditedFile) {
    TempDir dir;
    IniFile ini(dir.Write("Config.ini",
                          "; written by hand\r\n"
                          "\r\n"
                          "[ general ]\r\n"
                          "  nbrchar = $5 \r\n"
                          "Delay\t=\t-250\r\n"
                          "SubDir =  my subs  \r\n"
                          "[FONT]\r\n"
                          "Color=0x00FF00\r\n"
                          "Size=12abc\r\n"));
    EXPECT_EQ(ini.ReadInteger("General", "NbrChar", 0), 5);
    EXPECT_EQ(ini.ReadInteger("General", "Delay", 0), -250);
    EXPECT_EQ(ini.ReadString("General", "SubDir", ""), "my subs");
    EXPECT_EQ(ini.ReadInteger("Font", "Color", 0), 0x00FF00);
    EXPECT_EQ(ini.ReadInteger("Font", "Size", 10), 10);
}

TEST(IniFile, StringsAreCutAt2047Characters) {
    TempDir dir;
    IniFile ini(dir.Write("Config.ini", "[General]\nSubDir=" + std::string(3000, 'a') + "\n"));
    EXPECT_EQ(ini.ReadString("General", "SubDir", ""), std::string(2047, 'a'));
}

TEST(IniFile, WriteCreatesTheFile) {
    TempDir dir;
    IniFile ini(dir / "Config.ini");
    ASSERT_TRUE(ini.WriteInteger("General", "Delay", -40));
    ASSERT_TRUE(ini.WriteBool("General", "AutoSelect", true));
    ASSERT_TRUE(ini.WriteString("Font", "Name", "DejaVu Sans"));
    EXPECT_EQ(ReadFile(ini.Path()),
              "[General]\nDelay=-40\nAutoSelect=1\n\n[Font]\nName=DejaVu Sans\n");
}

TEST(IniFile, RewriteKeepsEveryOtherByte) {
    const std::string before =
        "; Orvalen settings\r\n"
        "\r\n"
        "[General]\r\n"
        "   NbrChar = 2   \r\n"
        "Unknown=keep me \r\n"
        "; a comment about SubDir\r\n"
        "SubDir=subs\r\n"
        "\r\n"
        "[Other]\r\n"
        "Delay=77\r\n"
        "[SubtitleFormat]\r\n"
        "srt=1\r\n"
        "weird line without equals\r\n"
        "\r\n";
    TempDir dir;
    IniFile ini(dir.Write("Config.ini", before));
    ASSERT_TRUE(ini.WriteInteger("General", "NbrChar", 3));
    ASSERT_TRUE(ini.WriteInteger("General", "Delay", 100));
    ASSERT_TRUE(ini.WriteBool("SubtitleFormat", "sub", true));
    ASSERT_TRUE(ini.WriteString("Font", "Name", "Arial"));
    EXPECT_EQ(ReadFile(ini.Path()),
              "; Orvalen settings\r\n"
              "\r\n"
              "[General]\r\n"
              "   NbrChar = 3\r\n"
              "Unknown=keep me \r\n"
              "; a comment about SubDir\r\n"
              "SubDir=subs\r\n"
              "Delay=100\r\n"
              "\r\n"
              "[Other]\r\n"
              "Delay=77\r\n"
              "[SubtitleFormat]\r\n"
              "srt=1\r\n"
              "sub=1\r\n"
              "weird line without equals\r\n"
              "\r\n"
              "[Font]\r\n"
              "Name=Arial\r\n");
}

TEST(IniFile, WritesLeaveNoTemporaryFiles) {
    TempDir dir;
    IniFile ini(dir / "Config.ini");
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(ini.WriteInteger("General", "Delay", i));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(IniFile, WriteKeepsPermissionsAndSymbolicLinks) {
    TempDir dir;
    std::string real = dir.Write("real.ini", "[General]\nDelay=1\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::string link = dir / "Config.ini";
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);

    IniFile ini(link);
    ASSERT_TRUE(ini.WriteInteger("General", "Delay", 2));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "[General]\nDelay=2\n");
    struct stat info;
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(IniFile, RefusedWritesReportFailureAndChangeNothing) {
    TempDir dir;
    std::string plainFile = dir.Write("plain", "not a directory");
    std::string directory = dir.MakeDir("Config.ini");
    const std::string refusedPaths[] = {dir / "missing/Config.ini", plainFile + "/Config.ini",
                                        directory};
    for (const std::string& path : refusedPaths) {
        IniFile ini(path);
        EXPECT_FALSE(ini.WriteInteger("General", "Delay", 1)) << path;
        EXPECT_FALSE(ini.WriteString("General", "SubDir", "x")) << path;
        EXPECT_EQ(ini.ReadInteger("General", "Delay", -5), -5) << path;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_EQ(ReadFile(plainFile), "not a directory");
    EXPECT_TRUE(std::filesystem::is_empty(directory));
}

TEST(IniFile, ReadOnlyFileIsNeverReplaced) {
    TempDir dir;
    const std::string path = dir.Write("Config.ini", "[General]\nDelay=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    IniFile ini(path);
    EXPECT_FALSE(ini.WriteInteger("General", "Delay", 2));
    EXPECT_EQ(ReadFile(path), "[General]\nDelay=1\n");
    EXPECT_EQ(ini.ReadInteger("General", "Delay", 0), 1);
}

TEST(IniFile, BinaryFileReadsDefaultsAndKeepsItsBytesOnWrite) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) % 251);
    binary += std::string(100, '\0');
    TempDir dir;
    IniFile ini(dir.Write("Config.ini", binary));
    EXPECT_EQ(ini.ReadInteger("General", "Delay", 33), 33);
    EXPECT_EQ(ini.ReadString("Font", "Name", "d"), "d");
    ASSERT_TRUE(ini.WriteInteger("General", "Delay", 7));
    EXPECT_EQ(ReadFile(ini.Path()).substr(0, binary.size()), binary);
    EXPECT_EQ(ini.ReadInteger("General", "Delay", 33), 7);
}

}  // namespace
}  // namespace orvalen
