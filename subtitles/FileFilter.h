#pragma once

#include <string>
#include <vector>

namespace orvalen {

// One entry of a file dialog's filter: a description and the name patterns ("*.srt") it
// offers. No patterns offers every file.
struct FileFilter {
    std::string Description;
    std::vector<std::string> Patterns;

    bool operator==(const FileFilter&) const = default;
};

using FileFilters = std::vector<FileFilter>;

}  // namespace orvalen
