#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

namespace platform {
namespace {

// Leaves room in the temporary name for its prefix and suffix within NAME_MAX.
constexpr std::size_t kMaxTempBaseChars = 200;

// Creates a new file next to `target` that no other writer uses, with mode 0666 less
// the umask. Returns the descriptor, or -1.
int CreateTempFile(const std::string& target, std::string& temp_path) {
  static std::atomic<unsigned> counter{0};
  std::size_t slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (base.size() > kMaxTempBaseChars) base.resize(kMaxTempBaseChars);
  // A stale file of a crashed writer with the same process id may hold a name.
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = dir + "." + base + ".tmp-" + std::to_string(getpid()) + "-" +
                std::to_string(counter.fetch_add(1));
    int fd = open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

FileContents ReadWholeFile(const std::string& path) {
  FileContents result;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    result.status = errno == ENOENT || errno == ENOTDIR ? FileContents::Status::kMissing
                                                        : FileContents::Status::kUnreadable;
    return result;
  }
  result.status = FileContents::Status::kUnreadable;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return result;
  }
  result.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      result.bytes.clear();
      return result;
    }
    if (n == 0) break;
    result.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  result.status = FileContents::Status::kRead;
  return result;
}

bool ReplaceFileAtomically(const std::string& path, std::span<const std::string_view> pieces,
                           RenameFunction rename_fn) {
  std::string target = path;
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }
  bool exists = stat(target.c_str(), &st) == 0;

  std::string temp;
  int fd = CreateTempFile(target, temp);
  if (fd < 0) return false;
  bool ok = true;
  if (exists) {
    if (st.st_uid != geteuid() || st.st_gid != getegid()) {
      (void)!fchown(fd, st.st_uid, st.st_gid);  // only a privileged writer can
    }
    // After the owner, since a change of owner clears the set-id bits.
    ok = fchmod(fd, st.st_mode & 07777) == 0;
  }
  for (std::string_view piece : pieces) ok = ok && WriteAll(fd, piece);
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename_fn(temp.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace platform
