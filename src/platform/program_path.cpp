#include "platform/program_path.h"

#include <unistd.h>

namespace platform {

std::string ProgramPath() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  return std::string(path, static_cast<std::size_t>(n));
}

std::string ProgramDirectory() {
  std::string program = ProgramPath();
  std::size_t slash = program.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : program.substr(0, slash);
}

}  // namespace platform
