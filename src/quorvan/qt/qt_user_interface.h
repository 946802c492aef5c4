// quorvan's user interface on Qt: message boxes, the beep, Yes/No questions, the
// action dialogs and the prompt dialogs, each owned by the window in front.
#pragma once

#include "quorvan/user_interface.h"

namespace quorvan {

class QtUserInterface : public UserInterface {
 public:
  void ShowMessage(std::string_view text) override;
  void Beep() override;
  bool AskYesNo(std::string_view text) override;
  bool RunForm(Form& form) override;
  bool RunPrompt(PromptDialog& dialog) override;
};

}  // namespace quorvan
