// Replacing a whole file so that readers, and a writer killed at any moment, leave
// either the old file or the new one and nothing else that lasts.
#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace config {

using RenameFunction = int (*)(const char* from, const char* to);

struct ReplaceOptions {
  // Flush the new file to disk before it takes the old one's place (a store that
  // must survive a crash); without it the replacement is atomic but not durable.
  bool durable = true;
  // The caller holds the lock that every writer of this file takes, so any
  // temporary file of this file that exists now is a killed writer's: remove them.
  bool writers_locked = false;
  RenameFunction rename_fn = &std::rename;  // a seam for tests
};

// Replaces `target` (a path that is not a symbolic link) with the concatenation of
// `pieces`. The new file is written unnamed (O_TMPFILE) and only given a temporary
// name beside `target` just before the rename, so a writer killed while writing
// leaves nothing; where the file system has no unnamed files, a named temporary is
// written instead. An existing file keeps its permission bits (and, where allowed,
// its owner); a new one gets 0666 less the umask. Returns the new file's status, or
// nullopt with the old file untouched and nothing left behind.
std::optional<struct stat> ReplaceFile(const std::string& target,
                                       std::span<const std::string_view> pieces,
                                       const ReplaceOptions& options = {});

// The prefix of every temporary file that ReplaceFile makes for `target`: a hidden
// name in the same directory.
std::string TemporaryPrefix(const std::string& target);

}  // namespace config
