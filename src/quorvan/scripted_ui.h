// A user interface that answers from a script and records what it was asked; for
// tests of actions.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvan/user_interface.h"

namespace quorvan {

class ScriptedUserInterface : public UserInterface {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep() override { ++beeps; }
  // The next scripted answer; No when the script has run out.
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // Cancel unless `on_form` is set; it may change the fields and says OK or Cancel.
  bool RunForm(Form& form) override {
    forms.push_back(form.identifier);
    return on_form ? on_form(form) : false;
  }

  // Cancel unless `on_prompt` is set; it may answer the controls and says OK or Cancel.
  bool RunPrompt(PromptDialog& dialog) override {
    prompts.push_back(dialog.resource_id);
    return on_prompt ? on_prompt(dialog) : false;
  }

  std::deque<bool> answers;
  std::function<bool(Form&)> on_form;
  std::function<bool(PromptDialog&)> on_prompt;
  std::vector<int> prompts;  // resource identifiers, in order
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> forms;  // identifiers, in order
  int beeps = 0;
};

}  // namespace quorvan
