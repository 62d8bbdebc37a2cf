#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvalen {

// The largest file a read takes: far beyond any subtitle file (10000 entries fit in 2 MiB) or
// Config.ini, so reaching it means the file is not one of them.
constexpr size_t ReadLimit = size_t{256} << 20;

enum class ReadStatus { Read, Missing, Failed };

// Reads the whole of a regular file, at most limit bytes. Missing when nothing exists at path;
// Failed when it cannot be read, is not a regular file (a directory, a device, a pipe: these
// are never read, so a pipe without a writer cannot make the read wait) or holds more than
// limit bytes. error then says why; bytes is empty unless Read.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                         size_t limit = ReadLimit);

// True when the file at path can be opened for reading and is not a directory; otherwise
// false with the reason. Opening never waits for a pipe's writer.
bool CanOpenForReading(const std::string& path, std::string& error);

// Writes bytes to the file at path without ever leaving a regular file truncated or half
// written, as an in-place write would be allowed to:
// - A symbolic link is followed (a dangling one to the file it names, which is created) and
//   the link itself is kept.
// - A regular file is replaced: the bytes go to a temporary file beside it, created with its
//   permissions and owner, synced to disk, renamed over it; the directory is synced after.
//   The temporary is ".<name>.<pid>.<n>.orvalen-tmp", the target's name cut so that it fits
//   wherever the target's fits; those a killed process left for the same target are removed
//   first.
//   A file that its mode bits make read-only is refused, even for root.
// - A pipe or a character device (a terminal, /dev/null) is written into directly; a pipe
//   that no one reads is refused rather than waited for. A directory or any other kind of
//   file is refused.
// False, with the reason in error, when any step fails; a regular file is then untouched and
// no temporary file remains.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Creates a regular file at path holding bytes, only when nothing exists there: the bytes are
// written and synced beside it, then linked into place, so another process finds either no
// file or the whole of it. False, with the reason in error, when path exists (EEXIST's text)
// or any step fails; no temporary file remains.
bool CreateFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace orvalen
