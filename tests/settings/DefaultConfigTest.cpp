#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/DefaultConfig.h"
#include "settings/Settings.h"
#include "subtitles/Parser.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::ReadFile;
using testing::TempDir;

const std::string kShipped = std::string(ORVALEN_TEST_SOURCE_DIR) + "/../../settings/Config.ini";

TEST(ConfigFileToRead, PrefersTheUsersFileThenTheFirstRegularDefault) {
    TempDir dir;
    const std::string user = dir / "home/orvalen/Config.ini";
    const std::string fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string directory = dir.MakeDir("dir.ini");
    const std::string system = dir.Write("etc/orvalen/Config.ini", "[General]\n");
    const std::string beside = dir.Write("app/Config.ini", "[General]\n");
    const std::vector<std::string> defaults = {dir / "missing.ini", fifo, directory, system,
                                               beside};

    EXPECT_EQ(ConfigFileToRead(user, defaults), system);
    EXPECT_EQ(ConfigFileToRead(user, {dir / "missing.ini", fifo}), user) << "built-in defaults";
    dir.MakeDir("home/orvalen");
    ASSERT_EQ(::symlink((dir / "nowhere").c_str(), user.c_str()), 0);
    EXPECT_EQ(ConfigFileToRead(user, defaults), user) << "anything at the user's path is theirs";
}

TEST(ConfigReadProblem, NamesTheFileAndReasonOnlyWhenAnExistingFileCannotBeRead) {
    TempDir dir;
    const std::string fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ConfigReadProblem(dir / "missing.ini"), "");
    EXPECT_EQ(ConfigReadProblem(dir.Write("Config.ini", "[General]\n")), "");
    for (const std::string& unreadable : {fifo, dir.MakeDir("dir.ini")}) {
        const std::string problem = ConfigReadProblem(unreadable);
        EXPECT_NE(problem.find("Cannot read the settings file " + unreadable + ": "),
                  std::string::npos)
            << problem;
    }
}

TEST(CreateUserConfigFromDefault, CopiesTheDefaultThenWritesKeepItsOtherKeys) {
    TempDir dir;
    const std::string user = dir / "home/.config/orvalen/Config.ini";
    const std::string shipped = ReadFile(kShipped);
    const std::vector<std::string> defaults = {dir / "none.ini", kShipped};

    ASSERT_TRUE(CreateUserConfigFromDefault(user, defaults));
    const std::string copy = ReadFile(user);
    EXPECT_EQ(copy.substr(copy.find('[')), shipped.substr(shipped.find('[')));
    EXPECT_EQ(copy.find("never changes"), std::string::npos) << "the copy's header is its own";
    struct stat info;
    ASSERT_EQ(::stat((dir / "home/.config/orvalen").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "a new per-user directory is private";

    IniFile ini(user);
    ASSERT_TRUE(WriteBarSettings(ini, BarSettings{false, true}).Ok);
    EXPECT_FALSE(ReadBarSettings(ini).StateBarre);
    EXPECT_TRUE(LoadSettings(ini).CurrentDir) << "the default's search survives the write";
    EXPECT_EQ(ReadFile(kShipped), shipped) << "the default itself is never written";

    EXPECT_FALSE(CreateUserConfigFromDefault(user, defaults)) << "an existing file is kept";
    EXPECT_FALSE(ReadBarSettings(ini).StateBarre);
}

TEST(CreateUserConfigFromDefault, TwoFirstRunsRacingKeepEveryDefaultKey) {
    TempDir dir;
    // A long comment widens the moment a half-made copy could be seen.
    const std::string shipped =
        dir.Write("default.ini", std::string(64 << 10, ';') + "\n" + ReadFile(kShipped));
    for (int round = 0; round < 100; ++round) {
        const std::string folder = dir / ("home" + std::to_string(round) + "/orvalen");
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t children[2];
        for (pid_t& child : children) {
            child = ::fork();
            if (child == 0) {
                ::close(start[1]);
                char go;
                [[maybe_unused]] ssize_t ignored = ::read(start[0], &go, 1);
                CreateUserConfigFromDefault(folder + "/Config.ini", {shipped});
                IniFile ini(folder + "/Config.ini");
                ::_exit(WriteBarSettings(ini, BarSettings{true, true}).Ok ? 0 : 1);
            }
        }
        ::close(start[0]);
        ::close(start[1]);
        for (pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_EQ(status, 0);
        }
        IniFile ini(folder + "/Config.ini");
        EXPECT_TRUE(LoadSettings(ini).CurrentDir && ReadBarSettings(ini).ToolBarre) << round;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    }
}

TEST(CreateUserConfigFromDefault, WithoutADefaultCreatesNothing) {
    TempDir dir;
    const std::string user = dir / "Config.ini";
    EXPECT_FALSE(CreateUserConfigFromDefault(user, {dir / "none.ini"}));
    EXPECT_FALSE(std::filesystem::exists(user));
}

TEST(ShippedConfig, SearchesTheFilmsFolderForEveryReadableFormatWithBarsAndABoldFont) {
    const IniFile ini(kShipped);
    const Settings settings = LoadSettings(ini);
    EXPECT_TRUE(settings.CurrentDir);
    EXPECT_FALSE(settings.SubDirEnabled);
    EXPECT_FALSE(settings.SubFilePathEnabled);
    EXPECT_EQ(settings.Delay, 0);
    for (SubtitleFormat format : SearchOrder()) {
        const std::string extension = "." + std::string(FormatExtension(format));
        EXPECT_EQ(settings.SubtitleFormat[static_cast<size_t>(format)],
                  ExtensionHasReader(extension))
            << extension;
    }
    const BarSettings bars = ReadBarSettings(ini);
    EXPECT_TRUE(bars.StateBarre && bars.ToolBarre);
    const FontSettings font = ReadFontSettings(ini);
    EXPECT_TRUE(font.Bold);
    EXPECT_EQ(font.Height, -20);
    EXPECT_FALSE(font.Italic || font.Underline || font.StrikeOut);
}

}  // namespace
}  // namespace orvalen
