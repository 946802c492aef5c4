#include "ferrul/ferrul_program.h"

#include <dlfcn.h>

#include <memory>

#include "ferrul/awk_run.h"
#include "ferrul/ferrul_run.h"
#include "ferrul/qt_module.h"
#include "ferrul/script_file.h"
#include "ferrul/terminal_ferrul.h"
#include "platform/display.h"
#include "platform/program_path.h"

namespace ferrul {
namespace {

// The Qt interface from the module beside the program; null when it is missing or
// Qt cannot start.
std::unique_ptr<FerrulUi> LoadQtUi() {
  const std::string module_path = platform::ProgramDirectory() + "/" + kQtModuleFileName;
  void* module = ::dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) return nullptr;
  auto create = reinterpret_cast<CreateQtUiFunction>(::dlsym(module, kQtModuleEntryPoint));
  return std::unique_ptr<FerrulUi>(create ? create(kModuleVersion) : nullptr);
}

}  // namespace

int RunFerrulProgram(const std::vector<std::string>& args) {
  std::unique_ptr<FerrulUi> ui;
  if (platform::WindowsWanted()) ui = LoadQtUi();
  if (!ui) ui = std::make_unique<TerminalFerrulUi>();
  std::string program = platform::ProgramPath();
  if (program.empty()) program = "ferrul";
  PosixAwkRunner awk;
  return RunFerrul(args, ScriptFileName(program), *ui, awk);
}

}  // namespace ferrul
