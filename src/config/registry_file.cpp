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

namespace config {
namespace {

constexpr std::string_view kRoot = "HKEY_CURRENT_USER\\Software\\Brackwater Software";
constexpr std::string_view kApplicationKey =
    "HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick";

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/tmp";
}

// Key names become lines of the file: nothing below a blank may appear in them, and
// a key name may not hold the "]" that ends its header.
bool UsableName(std::string_view name, bool key) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (key && c == ']') return false;
  }
  return !key || !name.empty();
}

std::optional<std::string> FullKeyName(const KeyPath& path) {
  if (path.empty()) return std::nullopt;
  std::string name(kApplicationKey);
  for (const std::string& part : path) {
    if (!UsableName(part, true)) return std::nullopt;
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

std::optional<FileStamp> Stamp(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return std::nullopt;
  return FileStamp{st.st_dev, st.st_ino, st.st_size,
                   static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

bool ReadAll(int fd, std::string& data) {
  data.clear();
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    data.append(buffer, static_cast<std::size_t>(n));
  }
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool MakeDirectories(const std::string& dir) {
  if (dir.empty()) return true;
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
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

class LockFile {
 public:
  explicit LockFile(const std::string& path) {
    fd_ = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
      while (flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
          close(fd_);
          fd_ = -1;
          break;
        }
      }
    }
  }
  ~LockFile() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Moves an unreadable store file aside under a name not yet taken.
void MoveAside(const std::string& path) {
  char stamp[32];
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  std::string target = path + ".broken-" + stamp;
  for (int n = 1; access(target.c_str(), F_OK) == 0; ++n) {
    target = path + ".broken-" + stamp + "-" + std::to_string(n);
  }
  if (rename(path.c_str(), target.c_str()) == 0) {
    std::fprintf(stderr,
                 "The configuration file %s could not be read; it was moved to %s and a new "
                 "one was started.\n",
                 path.c_str(), target.c_str());
  }
}

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
  bool valid = false;
  std::optional<RegistryModel> model;  // nullopt: the file does not parse
};

RegistryFileStore::RegistryFileStore(std::string path) : path_(std::move(path)), cache_(new Cache) {}

RegistryFileStore::~RegistryFileStore() { delete cache_; }

namespace {

enum class LoadResult { kMissing, kLoaded, kBroken, kFailed };

// Loads the file into the cache unless the cached copy is still current.
// `fresh` bypasses the cache: a writer must see every earlier write, and a reused
// inode with the same size and a coarse mtime could pass for the cached file.
LoadResult Load(const std::string& path, std::optional<RegistryModel>& model, FileStamp& stamp,
                bool& valid, bool fresh = false) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    valid = false;
    model.reset();
    return errno == ENOENT ? LoadResult::kMissing : LoadResult::kFailed;
  }
  std::optional<FileStamp> now = Stamp(fd);
  if (now && valid && !fresh && *now == stamp) {
    close(fd);
    return model ? LoadResult::kLoaded : LoadResult::kBroken;
  }
  std::string data;
  bool ok = ReadAll(fd, data);
  close(fd);
  if (!ok || !now) {
    valid = false;
    return LoadResult::kFailed;
  }
  model = ParseRegistryText(data);
  stamp = *now;
  valid = true;
  return model ? LoadResult::kLoaded : LoadResult::kBroken;
}

}  // namespace

// Changes the file under the lock: re-reads it, lets `change` act on the model and
// replaces the file atomically. A file that does not parse is moved aside first.
template <typename Change>
static bool Modify(const std::string& path, RegistryFileStore::Cache* cache, Change change);

std::optional<StoredValue> RegistryFileStore::Read(const KeyPath& key_path, std::string_view name) {
  std::optional<std::string> full = FullKeyName(key_path);
  if (!full || !UsableName(name, false)) return std::nullopt;
  LoadResult loaded = Load(path_, cache_->model, cache_->stamp, cache_->valid);
  if (loaded == LoadResult::kBroken || loaded == LoadResult::kFailed) return std::nullopt;
  if (loaded == LoadResult::kLoaded) {
    if (RegistryKey* key = cache_->model->Find(*full)) {
      const StoredValue* value = cache_->model->Value(*key, name);
      if (value) return *value;
      return std::nullopt;
    }
  }
  // Opening a path creates its keys, for reads too.
  std::optional<StoredValue> result;
  Modify(path_, cache_, [&](RegistryModel& model) {
    RegistryKey& key = model.Create(*full, kRoot);
    if (const StoredValue* value = model.Value(key, name)) result = *value;
    return true;
  });
  return result;
}

bool RegistryFileStore::Write(const KeyPath& key_path, std::string_view name,
                              const StoredValue& value) {
  std::optional<std::string> full = FullKeyName(key_path);
  if (!full || !UsableName(name, false)) return false;
  return Modify(path_, cache_, [&](RegistryModel& model) {
    model.SetValue(model.Create(*full, kRoot), name, value);
    return true;
  });
}

template <typename Change>
static bool Modify(const std::string& path, RegistryFileStore::Cache* cache, Change change) {
  if (!MakeDirectories(DirectoryOf(path))) return false;
  LockFile lock(path);
  if (!lock.held()) return false;
  LoadResult loaded = Load(path, cache->model, cache->stamp, cache->valid, true);
  if (loaded == LoadResult::kFailed) return false;
  if (loaded == LoadResult::kBroken) MoveAside(path);
  RegistryModel model = loaded == LoadResult::kLoaded ? *cache->model : RegistryModel();
  if (!change(model)) return false;

  std::string text = FormatRegistryText(model);
  std::string temp = path + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = fchmod(fd, 0600) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
  std::optional<FileStamp> stamp = ok ? Stamp(fd) : std::nullopt;
  ok = close(fd) == 0 && ok && rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    cache->valid = false;
    return false;
  }
  cache->model = std::move(model);
  cache->stamp = *stamp;
  cache->valid = true;
  return true;
}

}  // namespace config
