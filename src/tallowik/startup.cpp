#include "tallowik/startup.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "config/registry_file.h"
#include "config/settings.h"
#include "platform/desktop_choice.h"
#include "platform/display.h"
#include "platform/ide_link.h"
#include "platform/program_path.h"
#include "tallowik/qt_module.h"
#include "tallowik/windowless_run.h"

namespace tallowik {
namespace {

constexpr char kNeedsDisplayMessage[] =
    "tallowik: the sheet needs a display. Without one, generate the class with the\n"
    "options, e.g.\n"
    "  tallowik PROJECT DIR --class NAME [--category TEXT] [--base TEXT]\n"
    "           [--resource TEXT] [--description TEXT] [--specific TEXT]\n"
    "           [--header FILE] [--source FILE] [--clw | --no-clw]\n"
    "(tallowik --help tells more).\n";

// The one place where the link that asks the IDE to open a file is made: the DDE
// request on the socket desktop, the "Open Command Line" on a real one.
platform::Desktop MakeOpenRequestLink(const config::Settings& settings) {
  platform::Desktop desktop = platform::MakeDesktop(&settings);
  if (!desktop.error.empty()) std::fprintf(stderr, "tallowik: %s\n", desktop.error.c_str());
  return desktop;
}

// The Qt module, loaded on first need and never unloaded (Qt does not survive it).
class QtModule {
 public:
  explicit QtModule(std::string path) : path_(std::move(path)) {}
  void* Symbol(const char* name) {
    if (!attempted_) {
      attempted_ = true;
      handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (!handle_) error_ = dlerror();
    }
    return handle_ ? dlsym(handle_, name) : nullptr;
  }
  const std::string& path() const { return path_; }
  const std::string& error() const { return error_; }

 private:
  std::string path_;
  bool attempted_ = false;
  void* handle_ = nullptr;
  std::string error_;
};

// Message boxes through the module; standard error when it cannot show them.
class ModuleMessages : public MessageSink {
 public:
  explicit ModuleMessages(QtModule& module) : module_(module) {}
  using MessageSink::ShowMessage;
  void ShowMessage(std::string_view caption, std::string_view text) override {
    auto show = reinterpret_cast<ShowMessageFunction>(module_.Symbol(kShowMessageEntryPoint));
    if (show && show(kQtModuleVersion, std::string(caption).c_str(), std::string(text).c_str())) {
      return;
    }
    fallback_.ShowMessage(caption, text);
  }

 private:
  QtModule& module_;
  StandardErrorMessages fallback_;
};

int RunSheet(const ParsedCommandLine& parsed, config::Settings& settings, platform::DdeClient& dde,
             const engine::Clock& clock) {
  const bool windows = platform::WindowsWanted();
  const std::string program_directory = platform::ProgramDirectory();
  QtModule module(program_directory + "/" + kQtModuleFileName);
  StandardErrorMessages terminal;
  ModuleMessages boxes(module);
  MessageSink& messages = windows ? static_cast<MessageSink&>(boxes) : terminal;

  std::optional<ProjectArguments> project = CheckCommandLine(parsed.positional, messages);
  if (!project) return kExitError;
  if (!windows) {
    std::fputs(kNeedsDisplayMessage, stderr);
    return kExitUsage;
  }
  auto run = reinterpret_cast<RunSheetFunction>(module.Symbol(kRunSheetEntryPoint));
  if (!run) {
    std::fprintf(stderr, "tallowik: cannot load the user-interface module %s: %s\n",
                 module.path().c_str(), module.error().c_str());
    return kExitUsage;
  }
  SheetRun sheet{settings, dde, clock, *project, program_directory};
  return run(kQtModuleVersion, sheet);
}

}  // namespace

int RunTallowik(Arguments args) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  if (parsed.help) {
    std::fputs(kUsageText, stdout);
    return kExitSuccess;
  }
  if (!parsed.usage_error.empty()) {
    std::fprintf(stderr, "tallowik: %s\n\n%s", parsed.usage_error.c_str(), kUsageText);
    return kExitUsage;
  }
  config::RegistryFileStore store(config::DefaultRegistryPath());
  config::Settings settings(store);
  platform::Desktop desktop = MakeOpenRequestLink(settings);
  platform::DdeClient* dde = desktop.dde.get();
  engine::SystemClock clock;
  if (parsed.windowless) {
    StandardErrorMessages messages;
    return RunWindowless(parsed, settings, *dde, clock, messages);
  }
  return RunSheet(parsed, settings, *dde, clock);
}

}  // namespace tallowik
