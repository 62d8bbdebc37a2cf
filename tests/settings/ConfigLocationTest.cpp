#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/ConfigLocation.h"
#include "settings/Settings.h"

namespace orvalen {
namespace {

struct LocationCase {
    const char* name;
    ConfigLocationInputs inputs;
    const char* expected;
};

void PrintTo(const LocationCase& c, std::ostream* out) {
    *out << c.name;
}

class ChooseConfigFilePathTest : public ::testing::TestWithParam<LocationCase> {};

TEST_P(ChooseConfigFilePathTest, PicksTheFile) {
    EXPECT_EQ(ChooseConfigFilePath(GetParam().inputs), GetParam().expected);
}

// Inputs: override, executable dir, XDG_CONFIG_HOME, XDG_CONFIG_DIRS, system dir, home.
INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseConfigFilePathTest,
    ::testing::Values(LocationCase{"override_wins",
                                   {"/tmp/my.ini", "/opt/orvalen/", "/x", "", "", "/home/u"},
                                   "/tmp/my.ini"},
                      // The file beside the executable is the shipped default, never the user's,
                      // even where that directory is writable (the build tree).
                      LocationCase{"writable_executable_dir_is_not_used",
                                   {"", "/opt/orvalen/", "/x/cfg", "", "", "/home/u"},
                                   "/x/cfg/orvalen/Config.ini"},
                      LocationCase{"xdg_with_separator",
                                   {"", "/usr/bin/", "/x/cfg/", "", "", "/home/u"},
                                   "/x/cfg/orvalen/Config.ini"},
                      LocationCase{"home_when_xdg_unset",
                                   {"", "/usr/bin/", "", "", "", "/home/u"},
                                   "/home/u/.config/orvalen/Config.ini"},
                      LocationCase{"relative_xdg_ignored",
                                   {"", "/usr/bin/", "cfg", "", "", "/home/u"},
                                   "/home/u/.config/orvalen/Config.ini"},
                      LocationCase{
                          "no_home_at_all", {"", "", "", "", "", ""}, "orvalen/Config.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DefaultsCase {
    const char* name;
    ConfigLocationInputs inputs;
    std::vector<std::string> expected;
};

void PrintTo(const DefaultsCase& c, std::ostream* out) {
    *out << c.name;
}

class DefaultConfigFilePathsTest : public ::testing::TestWithParam<DefaultsCase> {};

TEST_P(DefaultConfigFilePathsTest, ListsTheShippedDefaultsBestFirst) {
    EXPECT_EQ(DefaultConfigFilePaths(GetParam().inputs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultConfigFilePathsTest,
    ::testing::Values(
        DefaultsCase{"xdg_dirs_unset_means_etc_xdg",
                     {"", "/b/app", "", "", "", ""},
                     {"/etc/xdg/orvalen/Config.ini", "/b/app/Config.ini"}},
        DefaultsCase{"each_xdg_dir_in_order_relative_and_empty_ignored",
                     {"", "/b/app/", "", "/a::rel/x:/c/", "", ""},
                     {"/a/orvalen/Config.ini", "/c/orvalen/Config.ini", "/b/app/Config.ini"}},
        DefaultsCase{"only_relative_xdg_dirs_mean_etc_xdg",
                     {"", "", "", "rel", "", ""},
                     {"/etc/xdg/orvalen/Config.ini"}},
        DefaultsCase{"install_dir_after_xdg_dirs",
                     {"", "/usr/local/bin", "", "/etc/xdg", "/usr/local/etc/xdg", ""},
                     {"/etc/xdg/orvalen/Config.ini", "/usr/local/etc/xdg/orvalen/Config.ini",
                      "/usr/local/bin/Config.ini"}},
        DefaultsCase{"install_dir_listed_once",
                     {"", "", "", "", "/etc/xdg/", ""},
                     {"/etc/xdg/orvalen/Config.ini"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Sets or unsets an environment variable for the life of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = ::getenv(name)) previous_ = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnvironment() {
        if (previous_) {
            ::setenv(name_, previous_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST(ConfigFilePath, EnvironmentOverrides) {
    ScopedEnvironment config("ORVALEN_CONFIG", "/somewhere/else.ini");
    EXPECT_EQ(ConfigFilePath(), "/somewhere/else.ini");
}

TEST(ConfigFilePath, InTheUsersConfigDirectory) {
    ScopedEnvironment config("ORVALEN_CONFIG", nullptr);
    ScopedEnvironment home("XDG_CONFIG_HOME", "/some/home/.config");
    EXPECT_EQ(ConfigFilePath(), "/some/home/.config/orvalen/Config.ini");
}

}  // namespace
}  // namespace orvalen
