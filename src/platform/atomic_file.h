// Whole-file reads and atomic whole-file replacement.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "config/replace_file.h"

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

using RenameFunction = config::RenameFunction;
using ReplaceOptions = config::ReplaceOptions;

// Replaces `path` with the concatenation of `pieces` (so that a caller splicing a large
// file need not build the whole text first), through config::ReplaceFile: readers
// and a killed writer see either the old or the new file, and a killed writer's
// temporary file does not last. A symbolic link is followed and its target
// replaced. On failure the old file is untouched.
bool ReplaceFileAtomically(const std::string& path, std::span<const std::string_view> pieces,
                           const ReplaceOptions& options);

inline bool ReplaceFileAtomically(const std::string& path, std::span<const std::string_view> pieces,
                                  RenameFunction rename_fn = &std::rename) {
  return ReplaceFileAtomically(path, pieces, ReplaceOptions{.rename_fn = rename_fn});
}

inline bool ReplaceFileAtomically(const std::string& path, std::string_view data,
                                  RenameFunction rename_fn = &std::rename) {
  return ReplaceFileAtomically(path, std::span<const std::string_view>(&data, 1), rename_fn);
}

}  // namespace platform
