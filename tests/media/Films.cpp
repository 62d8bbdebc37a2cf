#include "Films.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include <unistd.h>

namespace orvalen::test {

namespace {

namespace fs = std::filesystem;

// Films made by this process, removed when it ends.
struct OwnFilms {
    fs::path dir;
    ~OwnFilms() {
        std::error_code error;
        if (!dir.empty()) fs::remove_all(dir, error);
    }
};

fs::path MakeFilms(const fs::path& dir) {
    const std::string command = std::string("bash '") + ORVALEN_TEST_SOURCE_DIR +
                                "/make-films.sh' '" + dir.string() + "' >&2";
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("could not make the test films in " + dir.string());
    }
    return dir;
}

const fs::path& FilmsDir() {
    static OwnFilms own;
    static const fs::path dir = [] {
        const fs::path shared = ORVALEN_MEDIA_FILMS_DIR;
        if (fs::exists(shared / "complete")) return shared;
        own.dir = fs::temp_directory_path() / ("orvalen-films-" + std::to_string(getpid()));
        return MakeFilms(own.dir);
    }();
    return dir;
}

}  // namespace

std::string Film(const std::string& name) {
    return (FilmsDir() / name).string();
}

std::string MissingFilm() {
    return (FilmsDir() / "no such film.avi").string();
}

bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace orvalen::test
