#pragma once

#include <string>

namespace orvalen {

// Reads the whole file at path into bytes. False, with the reason in error, when it cannot be
// opened or read (a directory cannot).
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// True when the file at path can be opened for reading; otherwise false with the reason.
bool CanOpenForReading(const std::string& path, std::string& error);

// Replaces the file at path with bytes without ever leaving it truncated or half written: the
// bytes go to a temporary file in the same directory, which is then renamed over path. A
// symbolic link at path is followed. An existing file keeps its permission bits. False, with
// the reason in error, when anything fails; path is then untouched and no temporary remains.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace orvalen
