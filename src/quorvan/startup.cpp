#include "quorvan/startup.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/registry_file.h"
#include "config/settings.h"
#include "platform/clipboard.h"
#include "platform/desktop_choice.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "platform/program_path.h"
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

// The settings sheet lives in the Qt module, which sets up a run of its own: only
// the arguments cross (see qt_module.h).
int RunSheet(Arguments args) {
  if (!WindowsWanted()) {
    std::fputs(kNeedsDisplayMessage, stderr);
    return kExitUsage;
  }
  const std::string module_path = platform::ProgramDirectory() + "/" + kQtModuleFileName;
  void* module = dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto run = module ? reinterpret_cast<RunSettingsSheetFunction>(dlsym(module, kQtSheetEntryPoint))
                    : nullptr;
  if (!run) {
    std::fprintf(stderr, "quorvan: cannot load the user-interface module %s: %s\n",
                 module_path.c_str(), dlerror());
    return kExitUsage;
  }
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  argv.push_back(nullptr);
  return run(kUserInterfaceVersion, static_cast<int>(args.size()), argv.data());
}

}  // namespace

int RunWithApp(Arguments args, UserInterface& ui, const std::function<int(App&)>& body) {
  CommandLineValues values = ReadCommandLine(args);
  config::RegistryFileStore store(config::DefaultRegistryPath());
  config::Settings settings(store);
  platform::Desktop desktop = platform::MakeDesktop(&settings, {}, [](std::string_view message) {
    std::fprintf(stderr, "quorvan: %.*s\n", static_cast<int>(message.size()), message.data());
  });
  if (!desktop.error.empty()) std::fprintf(stderr, "quorvan: %s\n", desktop.error.c_str());
  platform::PosixProcessRunner processes;
  App app{settings, *desktop.clipboard,          *desktop.ide, processes, ui,
          values,   platform::ProgramDirectory()};
  return body(app);
}

int RunQuorvan(Arguments args) {
  // Filter mode works on the standard streams only: no stores of the desktop, no IDE.
  if (CommandLineValues values = ReadCommandLine(args); values.filter) {
    return RunFilterMode(values, platform::ProgramDirectory());
  }
  if (ActionFromCommandLine(args) < 0) return RunSheet(args);
  std::unique_ptr<UserInterface> ui = MakeUserInterface(platform::ProgramDirectory());
  return RunWithApp(args, *ui, [](App& app) {
    return RunAction(app, app.command_line.action) ? kExitSuccess : kExitActionFailed;
  });
}

}  // namespace quorvan
