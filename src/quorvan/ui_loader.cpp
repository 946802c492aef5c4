#include "quorvan/ui_loader.h"

#include <dlfcn.h>

#include <string_view>

#include "platform/display.h"
#include "quorvan/qt_module.h"

namespace quorvan {

PromptLayoutRunner ModulePromptLayoutRunner(std::string module_path) {
  // Looked up once; the module stays loaded, as for the windowed interface.
  return [module_path = std::move(module_path), run = RunTerminalPromptFunction(nullptr),
          tried = false](PromptDialog& dialog, PromptAsker& asker) mutable {
    if (!tried) {
      tried = true;
      if (void* module = dlopen(module_path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        run =
            reinterpret_cast<RunTerminalPromptFunction>(dlsym(module, kQtTerminalPromptEntryPoint));
      }
    }
    if (!run) return LayoutPromptStatus::kNoQt;
    return static_cast<LayoutPromptStatus>(run(kUserInterfaceVersion, dialog, asker));
  };
}

LazyQtUserInterface::LazyQtUserInterface(std::string module_path, AnswerSource source)
    : module_path_(std::move(module_path)), terminal_(source) {
  terminal_.SetPromptLayoutRunner(ModulePromptLayoutRunner(module_path_));
}

// The module is never unloaded: Qt does not survive being unloaded, and the
// program ends soon after anyway.
LazyQtUserInterface::~LazyQtUserInterface() = default;

UserInterface& LazyQtUserInterface::Active() {
  if (!attempted_) {
    attempted_ = true;
    if (void* module = dlopen(module_path_.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      auto create = reinterpret_cast<CreateQtUiFunction>(dlsym(module, kQtModuleEntryPoint));
      if (create) qt_.reset(create(kUserInterfaceVersion));
    }
  }
  if (qt_) return *qt_;
  return terminal_;
}

void LazyQtUserInterface::ShowMessage(std::string_view text) { Active().ShowMessage(text); }

void LazyQtUserInterface::Beep() {
  if (qt_) {
    qt_->Beep();
  } else {
    terminal_.Beep();
  }
}

bool LazyQtUserInterface::AskYesNo(std::string_view text) { return Active().AskYesNo(text); }

bool LazyQtUserInterface::RunForm(Form& form) {
  if (!form.validator) return Active().RunForm(form);
  // The module calls the validator, our code, from its own C++ runtime: nothing
  // thrown may travel back there (see qt_module.h).
  auto own = std::move(form.validator);
  form.validator = [&own](const Form& checked, std::size_t index) -> std::optional<std::string> {
    try {
      return own(checked, index);
    } catch (...) {
      return std::nullopt;
    }
  };
  const bool confirmed = Active().RunForm(form);
  form.validator = std::move(own);
  return confirmed;
}

bool LazyQtUserInterface::RunPrompt(PromptDialog& dialog) { return Active().RunPrompt(dialog); }

bool WindowsWanted() { return platform::WindowsWanted("QUORVAN_UI"); }

std::unique_ptr<UserInterface> MakeUserInterface(const std::string& program_directory,
                                                 AnswerSource source) {
  std::string module_path = program_directory + "/" + kQtModuleFileName;
  if (!WindowsWanted()) {
    auto terminal = std::make_unique<TerminalUserInterface>(source);
    terminal->SetPromptLayoutRunner(ModulePromptLayoutRunner(std::move(module_path)));
    return terminal;
  }
  return std::make_unique<LazyQtUserInterface>(std::move(module_path), source);
}

}  // namespace quorvan
