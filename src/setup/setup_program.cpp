#include "setup/setup_program.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "config/registry_file.h"
#include "config/settings.h"
#include "platform/display.h"
#include "platform/program_path.h"
#include "setup/installer.h"
#include "setup/qt_module.h"
#include "setup/terminal_setup.h"

namespace setup {
namespace {

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/";
}

std::string WorkingDirectory() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

// The dialog in a window; kNoWindow when the module is missing or Qt cannot start.
int RunWindow(const std::string& medium, SetupSession& session) {
  const std::string module_path = medium + "/" + kQtModuleFileName;
  void* module = ::dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto run = module ? reinterpret_cast<RunSetupDialogFunction>(::dlsym(module, kQtModuleEntryPoint))
                    : nullptr;
  if (!run) return kNoWindow;
  return run(kModuleVersion, session);
}

}  // namespace

int RunSetup() {
  const std::string medium = platform::ProgramDirectory();
  const std::string start_directory = WorkingDirectory();
  const std::string home = HomeDirectory();
  config::RegistryFileStore store(config::DefaultRegistryPath());
  config::Settings settings(store);
  Installer installer(settings, medium, start_directory, home);
  SetupSession session{installer, ReadPresets(settings, home)};
  // Everything is read from beside the program; relative destinations were resolved
  // against the start directory above.
  if (::chdir(medium.c_str()) != 0) {
    // The installer names every file by its full path, so this is not fatal.
  }
  if (platform::WindowsWanted()) {
    int status = RunWindow(medium, session);
    if (status != kNoWindow) return status;
  }
  TerminalSetup terminal;
  return terminal.Run(session.presets, installer);
}

}  // namespace setup
