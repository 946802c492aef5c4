#include "quorvan/startup.h"

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "config/registry_file.h"
#include "config/settings.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/action_table.h"
#include "quorvan/app.h"
#include "quorvan/ui_loader.h"

namespace quorvan {
namespace {

constexpr char kNoActionMessage[] =
    "quorvan: no action switch given. Start it with one of /0 to /9 (or -0 to -9), e.g.\n"
    "  quorvan /0            function header from the selection\n"
    "  quorvan /1 /F FILE    module header for FILE\n"
    "The settings sheet, shown without a switch, is not part of this build.\n";

std::string ProgramDirectory() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string program(path, static_cast<std::size_t>(n));
  std::size_t slash = program.rfind('/');
  return slash == std::string::npos || slash == 0 ? "/" : program.substr(0, slash);
}

}  // namespace

int RunQuorvan(Arguments args) {
  CommandLineValues values = ReadCommandLine(args);
  if (values.action < 0) {
    std::fputs(kNoActionMessage, stderr);
    return kExitUsage;
  }
  config::RegistryFileStore store(config::DefaultRegistryPath());
  config::Settings settings(store);
  platform::FileClipboard clipboard;
  platform::SocketWindowSystem windows;
  platform::SocketDdeClient dde;
  platform::DesktopIdeLink ide(windows, dde, &settings);
  platform::PosixProcessRunner processes;
  std::string program_directory = ProgramDirectory();
  std::unique_ptr<UserInterface> ui = MakeUserInterface(program_directory);
  App app{settings, clipboard, ide, processes, *ui, values, program_directory};
  return RunAction(app, values.action) ? kExitSuccess : kExitActionFailed;
}

}  // namespace quorvan
