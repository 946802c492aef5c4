#include "setup/readme_opener.h"

#include <spawn.h>

extern char** environ;

namespace setup {

void OpenWithDesktop(const std::string& path) {
  std::string program = "xdg-open";
  std::string argument = path;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid;
  // Not waited for: setup ends right after, and the opener outlives it.
  posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ);
}

}  // namespace setup
