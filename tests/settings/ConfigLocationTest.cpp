#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

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

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseConfigFilePathTest,
    ::testing::Values(LocationCase{"override_wins",
                                   {"/tmp/my.ini", "/opt/orvalen/", true, "/x", "/home/u"},
                                   "/tmp/my.ini"},
                      LocationCase{"beside_writable_executable",
                                   {"", "/opt/orvalen/", true, "/x", "/home/u"},
                                   "/opt/orvalen/Config.ini"},
                      LocationCase{"executable_dir_without_separator",
                                   {"", "/opt/orvalen", true, "", ""},
                                   "/opt/orvalen/Config.ini"},
                      LocationCase{"xdg_when_not_writable",
                                   {"", "/usr/bin/", false, "/x/cfg", "/home/u"},
                                   "/x/cfg/orvalen/Config.ini"},
                      LocationCase{"xdg_with_separator",
                                   {"", "/usr/bin/", false, "/x/cfg/", "/home/u"},
                                   "/x/cfg/orvalen/Config.ini"},
                      LocationCase{"home_when_xdg_unset",
                                   {"", "/usr/bin/", false, "", "/home/u"},
                                   "/home/u/.config/orvalen/Config.ini"},
                      LocationCase{"relative_xdg_ignored",
                                   {"", "/usr/bin/", false, "cfg", "/home/u"},
                                   "/home/u/.config/orvalen/Config.ini"},
                      LocationCase{"unknown_executable",
                                   {"", "", true, "/x", "/home/u"},
                                   "/x/orvalen/Config.ini"}),
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

TEST(ConfigFilePath, BesideTheWritableExecutable) {
    ScopedEnvironment config("ORVALEN_CONFIG", nullptr);
    std::string executable = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(ConfigFilePath(), executable.substr(0, executable.rfind('/') + 1) + "Config.ini");
}

}  // namespace
}  // namespace orvalen
