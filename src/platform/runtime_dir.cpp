#include "platform/runtime_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

std::string RuntimeDirectoryPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return std::string(runtime) + "/brackwater";
  return "/tmp/brackwater-" + std::to_string(getuid());
}

std::string DesktopDirectoryPath() { return RuntimeDirectoryPath() + "/desktop"; }

bool MakePrivateDirectory(const std::string& path) {
  if (path.empty()) return false;
  // Parents first; they are not checked for ownership (they are the user's
  // XDG_RUNTIME_DIR or /tmp itself).
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    std::string parent = path.substr(0, slash);
    if (mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

}  // namespace platform
