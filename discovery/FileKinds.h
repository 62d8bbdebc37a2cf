#pragma once

#include <span>
#include <string>
#include <string_view>

#include "subtitles/FileFilter.h"

namespace orvalen {

// The film types the Open dialog offers, as extensions without their dot, in the order shown.
std::span<const std::string_view> FilmExtensions();

// The Open dialog's filter: "Video Files" with "*.avi", "*.mpg"..., then "All files".
FileFilters FilmFileFilter();

enum class FileKind {
    Film,      // one of FilmExtensions
    Subtitle,  // one of the searched subtitle extensions
    Other,
};

// What a file is by the extension of its name, ASCII case ignored.
FileKind KindOfFile(std::string_view path);

}  // namespace orvalen
