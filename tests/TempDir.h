#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace orvalen::testing {

// A fresh directory under the system's temporary directory, removed with everything in it
// at the end of the test, even where a test took its permissions away.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvalen-XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            path_ = pattern;
        } else {
            ADD_FAILURE() << "mkdtemp failed";
        }
    }
    ~TempDir() {
        if (path_.empty()) return;
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool Valid() const { return !path_.empty(); }
    // The directory, without a trailing separator.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& relative) const { return path_ + "/" + relative; }
    std::string operator/(const std::string& relative) const { return File(relative); }

    // Writes bytes to relative inside the directory, creating the folders above it, and
    // returns the full path.
    std::string Write(const std::string& relative, std::string_view bytes) const {
        std::string path = File(relative);
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string MakeDir(const std::string& relative) const {
        std::string path = File(relative);
        std::filesystem::create_directories(path);
        return path;
    }

  private:
    std::string path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace orvalen::testing
