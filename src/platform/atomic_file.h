// Whole-file reads and atomic whole-file replacement.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct FileContents {
  enum class Status { kRead, kMissing, kUnreadable };
  Status status = Status::kMissing;
  std::string bytes;
};

// Reads the whole file. kMissing when it (or a directory above it) does not exist;
// kUnreadable for any other failure, including a path that names a directory, a
// FIFO or a device (those are never opened in a way that could block).
FileContents ReadWholeFile(const std::string& path);

// Writes all of `data` to `fd`, retrying short and interrupted writes; false on an
// error.
bool WriteAll(int fd, std::string_view data);

using RenameFunction = int (*)(const char* from, const char* to);

// Replaces `path` with the concatenation of `pieces` (so that a caller splicing a large
// file need not build the whole text first): writes a hidden temporary file in the same directory,
// flushes it to disk and renames it over `path`, so that readers and a crash see
// either the old or the new file. An existing file keeps its permission bits (and,
// where allowed, its owner); a new one gets 0666 less the umask. A symbolic link is
// followed and its target replaced. On failure nothing is left behind and the old
// file is untouched. `rename_fn` is a seam for tests.
bool ReplaceFileAtomically(const std::string& path, std::span<const std::string_view> pieces,
                           RenameFunction rename_fn = &std::rename);

inline bool ReplaceFileAtomically(const std::string& path, std::string_view data,
                                  RenameFunction rename_fn = &std::rename) {
  return ReplaceFileAtomically(path, std::span<const std::string_view>(&data, 1), rename_fn);
}

}  // namespace platform
