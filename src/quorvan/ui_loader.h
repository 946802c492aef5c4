// Chooses quorvan's user interface: the terminal, or the Qt module loaded on first
// need so that an action that shows nothing starts as fast as a plain program.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "quorvan/terminal_ui.h"
#include "quorvan/user_interface.h"

namespace quorvan {

// Loads the module at `module_path` on the first message, question or form, and
// uses the terminal when the module is missing or cannot start. A beep before that
// goes to the terminal and loads nothing.
class LazyQtUserInterface : public UserInterface {
 public:
  // The terminal, used when the module cannot start, reads answers from `source` and
  // prompt layouts with the same module.
  explicit LazyQtUserInterface(std::string module_path,
                               AnswerSource source = AnswerSource::kTerminalOrStandardInput);
  ~LazyQtUserInterface() override;

  void ShowMessage(std::string_view text) override;
  void Beep() override;
  bool AskYesNo(std::string_view text) override;
  bool RunForm(Form& form) override;
  bool RunPrompt(PromptDialog& dialog) override;

  // Tries the module now, as when Qt runs anyway (the settings sheet), so that
  // the beep is Qt's from the start.
  void Preload() { Active(); }

  // Whether the module has been tried, and whether it answers.
  bool attempted() const { return attempted_; }
  bool qt_loaded() const { return qt_ != nullptr; }

 private:
  UserInterface& Active();

  std::string module_path_;
  bool attempted_ = false;
  std::unique_ptr<UserInterface> qt_;
  TerminalUserInterface terminal_;
};

// Runs prompt dialogs on their layouts through the module at `module_path`, loaded on
// the first prompt; kNoQt when it is missing or cannot start.
PromptLayoutRunner ModulePromptLayoutRunner(std::string module_path);

// Whether windows are wanted: neither BRACKWATER_UI nor QUORVAN_UI is "tty", and
// DISPLAY or WAYLAND_DISPLAY is set.
bool WindowsWanted();

// The terminal unless WindowsWanted(); otherwise the Qt module kQtModuleFileName in
// `program_directory`. `source` says where the terminal may read answers.
std::unique_ptr<UserInterface> MakeUserInterface(
    const std::string& program_directory,
    AnswerSource source = AnswerSource::kTerminalOrStandardInput);

}  // namespace quorvan
