#include "discovery/SearchPatterns.h"

#include <algorithm>

namespace orvalen {

namespace {

unsigned char FoldCase(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(x) == FoldCase(y);
           });
}

}  // namespace

FilmPathParts SplitFilmPath(std::string_view filmPath) {
    FilmPathParts parts;
    size_t slash = filmPath.rfind('/');
    size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    parts.Directory = std::string(filmPath.substr(0, nameStart));
    std::string_view fileName = filmPath.substr(nameStart);
    parts.Name = std::string(fileName.substr(0, fileName.rfind('.')));
    return parts;
}

std::string SearchPrefix(std::string_view name, int32_t nbrChar) {
    int64_t length = static_cast<int64_t>(name.size());
    if (nbrChar < 0 || nbrChar >= length) return std::string(name);
    return std::string(name.substr(0, static_cast<size_t>(length - nbrChar)));
}

bool FilePattern::Matches(std::string_view fileName) const {
    if (fileName.size() < Prefix.size() + Suffix.size()) return false;
    return EqualIgnoringCase(fileName.substr(0, Prefix.size()), Prefix) &&
           EqualIgnoringCase(fileName.substr(fileName.size() - Suffix.size()), Suffix);
}

std::string FilePattern::Text() const {
    return Prefix + "*" + Suffix;
}

std::vector<FilePattern> BuildPatternList(const std::string& prefix,
                                          const SubtitleFormatFlags& formats) {
    std::vector<FilePattern> patterns;
    for (SubtitleFormat format : SearchOrder()) {
        if (!formats[static_cast<size_t>(format)]) continue;
        patterns.push_back(FilePattern{prefix, "." + std::string(FormatExtension(format))});
    }
    return patterns;
}

std::string PatternListText(const std::vector<FilePattern>& patterns) {
    std::string text;
    for (const FilePattern& pattern : patterns) text += pattern.Text() + ";";
    return text;
}

bool NameLessIgnoringCase(std::string_view a, std::string_view b) {
    size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        unsigned char x = FoldCase(a[i]);
        unsigned char y = FoldCase(b[i]);
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace orvalen
