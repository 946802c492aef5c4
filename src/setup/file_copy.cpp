#include "setup/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace setup {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; false when closing reports an error (a delayed write failure).
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAllWith(WriteFunction write_fn, int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = write_fn(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies the bytes of `in` into `out`.
bool CopyBytes(int in, int out, WriteFunction write_fn) {
  std::vector<char> buffer(1 << 16);
  for (;;) {
    ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!WriteAllWith(write_fn, out, buffer.data(), static_cast<std::size_t>(n))) return false;
  }
}

}  // namespace

CopyResult CopyInstallFile(const std::string& source, const std::string& target, bool replace,
                           WriteFunction write_fn) {
  FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat source_status {};
  if (in.get() < 0 || ::fstat(in.get(), &source_status) != 0 || !S_ISREG(source_status.st_mode)) {
    return CopyResult::kFailed;
  }
  struct stat target_status {};
  if (::stat(target.c_str(), &target_status) == 0) {
    if (target_status.st_dev == source_status.st_dev &&
        target_status.st_ino == source_status.st_ino) {
      return CopyResult::kCopied;
    }
    if (S_ISDIR(target_status.st_mode)) return CopyResult::kFailed;
    if (!replace) return CopyResult::kKeptExisting;
  }

  std::string temporary = DirectoryOf(target) + "/." + NameOf(target) + ".XXXXXX";
  FileDescriptor out(::mkostemp(temporary.data(), O_CLOEXEC));
  if (out.get() < 0) return CopyResult::kFailed;
  bool ok = CopyBytes(in.get(), out.get(), write_fn) &&
            ::fchmod(out.get(), source_status.st_mode & 07777) == 0 && ::fsync(out.get()) == 0;
  ok = out.Close() && ok;
  if (ok && !replace) {
    // Taking the name only while it is still free keeps a file that appeared meanwhile.
    if (::link(temporary.c_str(), target.c_str()) == 0) {
      ::unlink(temporary.c_str());
      return CopyResult::kCopied;
    }
    if (errno == EEXIST) {
      ::unlink(temporary.c_str());
      return CopyResult::kKeptExisting;
    }
    // A file system without hard links: the name was free a moment ago; rename.
  }
  if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok ? CopyResult::kCopied : CopyResult::kFailed;
}

}  // namespace setup
