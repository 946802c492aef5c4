#include "quorvan/startup.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "config/registry_file.h"
#include "config/settings.h"
#include "platform/clipboard.h"
#include "platform/desktop_choice.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/action_table.h"
#include "quorvan/app.h"
#include "quorvan/filter_mode.h"
#include "quorvan/qt_module.h"
#include "quorvan/ui_loader.h"

namespace quorvan {
namespace {

constexpr char kNeedsDisplayMessage[] =
    "quorvan: the settings sheet needs a display. Without one, start quorvan with an\n"
    "action switch, one of /0 to /9 (or -0 to -9), e.g.\n"
    "  quorvan /0            function header from the selection\n"
    "  quorvan /1 /F FILE    module header for FILE\n";

std::string ProgramDirectory() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string program(path, static_cast<std::size_t>(n));
  std::size_t slash = program.rfind('/');
  return slash == std::string::npos || slash == 0 ? "/" : program.substr(0, slash);
}

// The settings sheet lives in the Qt module.
int RunSheet(App& app) {
  if (!WindowsWanted()) {
    std::fputs(kNeedsDisplayMessage, stderr);
    return kExitUsage;
  }
  const std::string module_path = app.program_directory + "/" + kQtModuleFileName;
  void* module = dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto run = module ? reinterpret_cast<RunSettingsSheetFunction>(dlsym(module, kQtSheetEntryPoint))
                    : nullptr;
  if (!run) {
    std::fprintf(stderr, "quorvan: cannot load the user-interface module %s: %s\n",
                 module_path.c_str(), dlerror());
    return kExitUsage;
  }
  if (auto* lazy = dynamic_cast<LazyQtUserInterface*>(&app.ui)) lazy->Preload();
  return run(kUserInterfaceVersion, app);
}

}  // namespace

int RunQuorvan(Arguments args) {
  CommandLineValues values = ReadCommandLine(args);
  if (values.filter) return RunFilterMode(values, ProgramDirectory());
  config::RegistryFileStore store(config::DefaultRegistryPath());
  config::Settings settings(store);
  platform::Desktop desktop = platform::MakeDesktop(&settings, {}, [](std::string_view message) {
    std::fprintf(stderr, "quorvan: %.*s\n", static_cast<int>(message.size()), message.data());
  });
  if (!desktop.error.empty()) std::fprintf(stderr, "quorvan: %s\n", desktop.error.c_str());
  platform::PosixProcessRunner processes;
  std::string program_directory = ProgramDirectory();
  std::unique_ptr<UserInterface> ui = MakeUserInterface(program_directory);
  App app{settings, *desktop.clipboard, *desktop.ide, processes, *ui, values, program_directory};
  if (values.action < 0) return RunSheet(app);
  return RunAction(app, values.action) ? kExitSuccess : kExitActionFailed;
}

}  // namespace quorvan
