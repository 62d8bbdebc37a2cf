#pragma once

#include <string>
#include <vector>

#include "discovery/SearchPatterns.h"

namespace orvalen {

// The names of the regular files in directory (symbolic links followed; sub-directories and
// special files left out; hidden dot files kept) that match any of the patterns, sorted with
// NameLessIgnoringCase. Empty when the directory cannot be read. "" lists the current
// directory.
std::vector<std::string> ListMatchingFiles(const std::string& directory,
                                           const std::vector<FilePattern>& patterns);

// True when path names a directory (symbolic links followed). "" is the current directory.
bool IsDirectory(const std::string& path);

// A directory as the listing reports it: absolute, without "." and ".." steps and without a
// trailing separator ("/" stays "/").
std::string ReportedDirectory(const std::string& path);

// directory and name with exactly one separator between them; name alone when directory is "".
std::string JoinPath(const std::string& directory, const std::string& name);

}  // namespace orvalen
