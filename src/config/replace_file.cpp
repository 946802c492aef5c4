#include "config/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <vector>

namespace config {
namespace {

// Leaves room in the temporary name for its prefix and suffix within NAME_MAX.
constexpr std::size_t kMaxTempBaseChars = 200;

std::string DirectoryPart(const std::string& target) {
  std::size_t slash = target.rfind('/');
  return slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
}

std::string NextTemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return TemporaryPrefix(target) + std::to_string(getpid()) + "-" +
         std::to_string(counter.fetch_add(1));
}

// Writes all pieces with as few system calls as the kernel allows (one, for
// anything but a huge number of pieces), retrying short and interrupted writes.
bool WritePieces(int fd, std::span<const std::string_view> pieces) {
  std::vector<iovec> chunks;
  chunks.reserve(pieces.size());
  for (std::string_view piece : pieces) {
    if (!piece.empty()) chunks.push_back({const_cast<char*>(piece.data()), piece.size()});
  }
  std::size_t first = 0;
  while (first < chunks.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(chunks.size() - first, IOV_MAX));
    ssize_t n = writev(fd, &chunks[first], count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    auto done = static_cast<std::size_t>(n);
    while (first < chunks.size() && done >= chunks[first].iov_len) done -= chunks[first++].iov_len;
    if (done > 0) {
      chunks[first].iov_base = static_cast<char*>(chunks[first].iov_base) + done;
      chunks[first].iov_len -= done;
    }
  }
  return true;
}

// Gives the new file the old one's owner and permission bits, writes it and
// flushes it when asked; fills `written`.
bool FillFile(int fd, const struct stat* old, std::span<const std::string_view> pieces,
              const ReplaceOptions& options, struct stat& written) {
  bool ok = true;
  if (old) {
    if (old->st_uid != geteuid() || old->st_gid != getegid()) {
      (void)!fchown(fd, old->st_uid, old->st_gid);  // only a privileged writer can
    }
    // After the owner, since a change of owner clears the set-id bits.
    ok = fchmod(fd, old->st_mode & 07777) == 0;
  }
  ok = ok && WritePieces(fd, pieces);
  ok = ok && (!options.durable || fsync(fd) == 0);
  return ok && fstat(fd, &written) == 0;
}

// Removes the temporary files of `target` that killed writers left.
void RemoveLeftovers(const std::string& target) {
  const std::string prefix = TemporaryPrefix(target);
  const std::string directory = DirectoryPart(target);
  const std::string name_prefix = prefix.substr(directory.size());
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (!dir) return;
  while (const dirent* entry = readdir(dir)) {
    if (std::string_view(entry->d_name).starts_with(name_prefix)) {
      unlink((directory + entry->d_name).c_str());
    }
  }
  closedir(dir);
}

// The unnamed file `fd` under a new temporary name; empty when it cannot be linked.
std::string LinkUnnamed(int fd, const std::string& target) {
  const std::string proc_path = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = NextTemporaryName(target);
    if (linkat(AT_FDCWD, proc_path.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return name;
    }
    if (errno != EEXIST) break;
  }
  return {};
}

std::optional<struct stat> RenameInto(const std::string& temp, const std::string& target,
                                      const ReplaceOptions& options, const struct stat& written) {
  if (options.rename_fn(temp.c_str(), target.c_str()) == 0) return written;
  unlink(temp.c_str());
  return std::nullopt;
}

std::optional<struct stat> ReplaceThroughUnnamedFile(const std::string& target,
                                                     const struct stat* old,
                                                     std::span<const std::string_view> pieces,
                                                     const ReplaceOptions& options,
                                                     bool& unsupported) {
  std::string directory = DirectoryPart(target);
  int fd =
      open(directory.empty() ? "." : directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    unsupported = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
    return std::nullopt;
  }
  struct stat written {};
  std::string temp;
  if (FillFile(fd, old, pieces, options, written)) {
    temp = LinkUnnamed(fd, target);
    // Without /proc the file cannot be named; the named way still works.
    unsupported = temp.empty() && errno == ENOENT;
  }
  const bool closed = close(fd) == 0;
  if (temp.empty()) return std::nullopt;
  if (!closed) {
    unlink(temp.c_str());
    return std::nullopt;
  }
  return RenameInto(temp, target, options, written);
}

std::optional<struct stat> ReplaceThroughNamedFile(const std::string& target,
                                                   const struct stat* old,
                                                   std::span<const std::string_view> pieces,
                                                   const ReplaceOptions& options) {
  std::string temp;
  int fd = -1;
  // A stale file of a killed writer with the same process id may hold a name.
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = NextTemporaryName(target);
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return std::nullopt;
  }
  if (fd < 0) return std::nullopt;
  struct stat written {};
  bool ok = FillFile(fd, old, pieces, options, written);
  ok = close(fd) == 0 && ok;
  if (!ok) {
    unlink(temp.c_str());
    return std::nullopt;
  }
  return RenameInto(temp, target, options, written);
}

}  // namespace

std::string TemporaryPrefix(const std::string& target) {
  const std::string directory = DirectoryPart(target);
  std::string base = target.substr(directory.size());
  if (base.size() > kMaxTempBaseChars) base.resize(kMaxTempBaseChars);
  return directory + "." + base + ".tmp-";
}

std::optional<struct stat> ReplaceFile(const std::string& target,
                                       std::span<const std::string_view> pieces,
                                       const ReplaceOptions& options) {
  if (options.writers_locked) RemoveLeftovers(target);
  struct stat old {};
  const struct stat* existing = stat(target.c_str(), &old) == 0 ? &old : nullptr;
  bool unsupported = false;
  std::optional<struct stat> written =
      ReplaceThroughUnnamedFile(target, existing, pieces, options, unsupported);
  if (written || !unsupported) return written;
  return ReplaceThroughNamedFile(target, existing, pieces, options);
}

}  // namespace config
