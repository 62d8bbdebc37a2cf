#pragma once

#include <string>

namespace orvalen {

enum class FileReadResult { Read, Missing, Failed };

// Reads the whole of a regular file. Missing when nothing exists at path; Failed when it
// cannot be read or is not a regular file (a directory, a device, a pipe).
FileReadResult ReadWholeFile(const std::string& path, std::string& contents);

// Replaces the file's contents without ever leaving it truncated: the new contents go to a
// temporary file in the same directory, which then takes the file's place. A symbolic link
// is followed, so the file it names is replaced and the link kept; an existing file keeps its
// permissions. False, with the old file untouched, when any step fails or the existing file
// is read-only.
bool ReplaceFileContents(const std::string& path, const std::string& contents);

}  // namespace orvalen
