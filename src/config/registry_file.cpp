#include "config/registry_file.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "config/registry_format.h"
#include "config/replace_file.h"

namespace config {
namespace {

constexpr std::string_view kHive = "HKEY_CURRENT_USER";
constexpr std::string_view kApplicationKey =
    "HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick";

// No file this suite writes comes near this size; a larger one is treated as
// unreadable instead of being loaded into memory.
constexpr std::size_t kMaxFileSize = std::size_t{64} << 20;

// File times come from a coarse clock: two versions written within one tick can
// share their mtime, and the later one may reuse the earlier one's freed inode and
// have the same size. The stamp alone vouches for a parse only when the file was
// already older than this when it was read.
constexpr long long kRacyWindowNs = 100'000'000;

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && *pw->pw_dir) return pw->pw_dir;
  return "/tmp";
}

// Names become lines of the file, so no byte below a blank may appear in them. A key
// part may hold a backslash only between two names ("a\b" is the key b below a, as
// in the registry).
bool UsableValueName(std::string_view name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

bool UsableKeyPart(std::string_view part) {
  if (part.empty() || part.front() == '\\' || part.back() == '\\') return false;
  if (part.find("\\\\") != std::string_view::npos) return false;
  return UsableValueName(part);
}

std::optional<std::string> FullKeyName(const KeyPath& path) {
  if (path.empty()) return std::nullopt;
  std::string name(kApplicationKey);
  for (const std::string& part : path) {
    if (!UsableKeyPart(part)) return std::nullopt;
    name += '\\';
    name += part;
  }
  return name;
}

struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = -1;
  long long mtime_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const struct stat& st) {
  return FileStamp{
      st.st_dev, st.st_ino, st.st_size,
      static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

long long NowNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Reads to the end, or until more than `limit` bytes have come.
bool ReadAll(int fd, std::string& data, std::size_t limit) {
  data.clear();
  char buffer[65536];
  while (data.size() <= limit) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

bool MakeDirectories(const std::string& dir) {
  struct stat st {};
  if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  std::size_t slash = dir.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeDirectories(dir.substr(0, slash))) {
    return false;
  }
  return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// An exclusive flock held for the object's life. The lock file itself is never
// removed: a process waiting on a removed file would lock nothing.
class LockFile {
 public:
  explicit LockFile(const std::string& path) {
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(fd_);
        fd_ = -1;
        return;
      }
    }
  }
  ~LockFile() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Renames `from` to `to` only when `to` does not exist.
bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot refuse to replace; every writer of this store holds the
  // lock, so a check first is enough.
  if (access(to.c_str(), F_OK) == 0) {
    errno = EEXIST;
    return false;
  }
  return rename(from.c_str(), to.c_str()) == 0;
}

// Moves an unreadable store file aside under a name not yet taken. False when it
// could not be moved: the caller must then leave it in place.
bool MoveAside(const std::string& path) {
  char stamp[32];
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  const std::string base = path + ".broken-" + stamp;
  for (int n = 0; n < 1000; ++n) {
    std::string target = n == 0 ? base : base + "-" + std::to_string(n);
    if (RenameNoReplace(path, target)) {
      std::fprintf(stderr,
                   "The configuration file %s could not be read; it was moved to %s and a new "
                   "one was started.\n",
                   path.c_str(), target.c_str());
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

// Replaces the file with `text`, flushed to disk, under the store's lock (so a
// killed writer's temporary file is removed here).
std::optional<FileStamp> ReplaceStoreFile(const std::string& path, std::string_view text) {
  std::optional<struct stat> written = ReplaceFile(
      path, std::span<const std::string_view>(&text, 1), ReplaceOptions{.writers_locked = true});
  if (!written) return std::nullopt;
  return StampOf(*written);
}

enum class LoadResult { kMissing, kLoaded, kBroken, kFailed };

}  // namespace

std::string DefaultRegistryPath() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else {
    base = HomeDirectory() + "/.config";
  }
  return base + "/Brackwater Software/Tallowick.reg";
}

struct RegistryFileStore::Cache {
  FileStamp stamp;
  bool valid = false;                  // stamp and model describe a file that was read
  bool trusted = false;                // an unchanged stamp means an unchanged file
  std::optional<RegistryModel> model;  // nullopt: the file does not parse

  void Forget() {
    valid = false;
    trusted = false;
    model.reset();
  }

  void Stamped(const FileStamp& file) {
    stamp = file;
    valid = true;
    trusted = NowNs() - file.mtime_ns > kRacyWindowNs;
  }

  // Brings `model` up to the file's current contents; `fresh` always re-reads.
  LoadResult Load(const std::string& path, bool fresh) {
    // The common case, a parse still vouched for, costs one stat and no open.
    struct stat quick {};
    if (!fresh && valid && trusted && stat(path.c_str(), &quick) == 0 && S_ISREG(quick.st_mode) &&
        StampOf(quick) == stamp) {
      return model ? LoadResult::kLoaded : LoadResult::kBroken;
    }
    // O_NONBLOCK: a FIFO put in the file's place must not stall the open.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
      bool missing = errno == ENOENT;
      Forget();
      return missing ? LoadResult::kMissing : LoadResult::kFailed;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      Forget();
      return LoadResult::kFailed;
    }
    FileStamp current = StampOf(st);
    if (!fresh && valid && trusted && current == stamp) {
      close(fd);
      return model ? LoadResult::kLoaded : LoadResult::kBroken;
    }
    std::optional<RegistryModel> parsed;
    if (static_cast<std::size_t>(st.st_size) <= kMaxFileSize) {
      std::string data;
      if (!ReadAll(fd, data, kMaxFileSize)) {
        close(fd);
        Forget();
        return LoadResult::kFailed;
      }
      if (data.size() <= kMaxFileSize) parsed = ParseRegistryText(data);
    }
    close(fd);
    model = std::move(parsed);
    Stamped(current);
    return model ? LoadResult::kLoaded : LoadResult::kBroken;
  }
};

RegistryFileStore::RegistryFileStore(std::string path)
    : path_(std::move(path)), cache_(std::make_unique<Cache>()) {}

RegistryFileStore::~RegistryFileStore() = default;

std::optional<StoredValue> RegistryFileStore::Read(const KeyPath& key_path, std::string_view name) {
  std::optional<std::string> full = FullKeyName(key_path);
  if (!full || !UsableValueName(name)) return std::nullopt;
  LoadResult loaded = cache_->Load(path_, false);
  if (loaded == LoadResult::kFailed) return std::nullopt;
  if (loaded == LoadResult::kLoaded) {
    if (const RegistryKey* key = cache_->model->Find(*full)) {
      if (const StoredValue* value = key->Value(name)) return *value;
      return std::nullopt;
    }
  }
  // Opening a path creates its keys, for reads too.
  std::optional<StoredValue> result;
  Modify([&](RegistryModel& model) {
    bool created = false;
    const RegistryKey& key = model.Create(*full, kHive, &created);
    if (const StoredValue* value = key.Value(name)) result = *value;
    return created;
  });
  return result;
}

bool RegistryFileStore::Write(const KeyPath& key_path, std::string_view name,
                              const StoredValue& value) {
  std::optional<std::string> full = FullKeyName(key_path);
  if (!full || !UsableValueName(name)) return false;
  return Modify([&](RegistryModel& model) {
    bool created = false;
    RegistryKey& key = model.Create(*full, kHive, &created);
    return key.SetValue(name, value) || created;
  });
}

bool RegistryFileStore::Modify(const std::function<bool(RegistryModel&)>& change) {
  if (!MakeDirectories(DirectoryOf(path_))) return false;
  LockFile lock(path_ + ".lock");
  if (!lock.held()) return false;
  Cache& cache = *cache_;
  // Under the lock the file is read again whatever the cache says: a write must
  // build on every earlier one.
  LoadResult loaded = cache.Load(path_, true);
  if (loaded == LoadResult::kFailed) return false;
  if (loaded == LoadResult::kBroken && !MoveAside(path_)) {
    cache.Forget();
    return false;
  }
  if (loaded != LoadResult::kLoaded) cache.model.emplace();
  if (!change(*cache.model) && loaded == LoadResult::kLoaded) return true;
  std::optional<FileStamp> written = ReplaceStoreFile(path_, FormatRegistryText(*cache.model));
  if (!written) {
    cache.Forget();
    return false;
  }
  cache.Stamped(*written);
  return true;
}

}  // namespace config
