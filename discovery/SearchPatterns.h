#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/SubtitleFormats.h"

namespace orvalen {

// A film path cut into its directory (up to and including the last '/', "" when there is
// none) and its name without the extension (the part from the name's last '.' on).
struct FilmPathParts {
    std::string Directory;
    std::string Name;
};
FilmPathParts SplitFilmPath(std::string_view filmPath);

// The name without its last nbrChar characters; the whole name when nbrChar is not smaller
// than its length, or negative.
std::string SearchPrefix(std::string_view name, int32_t nbrChar);

// "<prefix>*.<extension>": matches the names that begin with Prefix and end with Suffix
// (".<extension>"), ignoring ASCII case. The prefix is taken literally, so a film whose name
// holds '*' or '?' still finds only its own files.
struct FilePattern {
    std::string Prefix;
    std::string Suffix;

    bool Matches(std::string_view fileName) const;
    std::string Text() const;  // "Matrix 2 *.sub"
};

// One pattern per enabled format, in the fixed search order.
std::vector<FilePattern> BuildPatternList(const std::string& prefix,
                                          const SubtitleFormatFlags& formats);

// The patterns each followed by ';', as the list is written: "Matrix 2 *.sub;Matrix 2 *.srt;".
std::string PatternListText(const std::vector<FilePattern>& patterns);

// Name order ignoring ASCII case; names equal but for case are ordered by their bytes.
bool NameLessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace orvalen
