#include "discovery/FileKinds.h"

#include <algorithm>
#include <array>

#include "subtitles/Parser.h"
#include "subtitles/SubtitleFormats.h"

namespace orvalen {

namespace {

// What libmpv plays and people keep films in: the three historical types first.
constexpr std::array<std::string_view, 21> Films = {
    "avi", "mpg", "mpeg", "divx", "mkv", "mp4", "m4v", "webm", "mov", "ogv",  "ogm",
    "wmv", "asf", "ts",   "m2ts", "mts", "vob", "flv", "3gp",  "rm",  "rmvb",
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

}  // namespace

std::span<const std::string_view> FilmExtensions() {
    return Films;
}

FileFilters FilmFileFilter() {
    FileFilter films{"Video Files", {}};
    for (std::string_view film : Films) films.Patterns.push_back("*." + std::string(film));
    return {films, {"All files", {}}};
}

FileKind KindOfFile(std::string_view path) {
    std::string_view extension = FileExtension(path);
    if (extension.size() < 2) return FileKind::Other;
    extension.remove_prefix(1);
    auto matches = [extension](std::string_view known) {
        return SameIgnoringCase(extension, known);
    };
    if (std::any_of(Films.begin(), Films.end(), matches)) return FileKind::Film;
    for (SubtitleFormat format : SearchOrder()) {
        if (matches(FormatExtension(format))) return FileKind::Subtitle;
    }
    return FileKind::Other;
}

}  // namespace orvalen
