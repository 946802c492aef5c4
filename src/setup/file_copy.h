// Copying one file of the installation: whole or not at all.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <string>

namespace setup {

enum class CopyResult {
  kCopied,        // the target now holds the source's bytes (or already is the source)
  kKeptExisting,  // the target existed and replacing was not allowed
  kFailed,
};

using WriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);

// Copies `source` to `target`. The bytes go to a temporary file in the target's
// directory, which is flushed and renamed over the target, so a copy that fails
// part-way (a full disk) leaves the old target, or none, and no temporary file. The
// copy gets the source's permission bits, execute bits included. A target that is
// the source itself (same device and inode: the medium installed onto itself, or a
// link to it) counts as copied and is not touched. Without `replace`, an existing
// target is kept. kFailed for a source that is missing or not a regular file, a
// target that is a directory, and any read or write error. `write_fn` is a seam for
// tests.
CopyResult CopyInstallFile(const std::string& source, const std::string& target, bool replace,
                           WriteFunction write_fn = &::write);

}  // namespace setup
