// The user interface on a terminal: answers are read line by line from /dev/tty, or
// from standard input when there is no terminal; prompts and messages go to standard
// error. End of input answers No to a question and cancels a form.
//
// When standard input carries data (filter mode), only the terminal is asked: the
// prompts and messages go to /dev/tty itself, since standard output and often
// standard error are captured by the caller; without a terminal every question is
// answered No and every form cancelled, and messages go to standard error.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "quorvan/terminal_prompt.h"
#include "quorvan/user_interface.h"

namespace quorvan {

// Where answers may come from.
enum class AnswerSource { kTerminalOrStandardInput, kTerminalOnly };

class TerminalUserInterface : public UserInterface, public PromptAsker {
 public:
  // The terminal is opened on first need.
  explicit TerminalUserInterface(AnswerSource source = AnswerSource::kTerminalOrStandardInput);
  // Answers from `input_fd`, text to `output_fd`, the beep to `beep_fd` (-1: none).
  // The descriptors stay the caller's.
  TerminalUserInterface(int input_fd, int output_fd, int beep_fd);
  ~TerminalUserInterface() override;
  TerminalUserInterface(const TerminalUserInterface&) = delete;
  TerminalUserInterface& operator=(const TerminalUserInterface&) = delete;

  void ShowMessage(std::string_view text) override;
  // The BEL character to the terminal; nothing without one.
  void Beep() override;
  // Takes y, yes, n or no in any case; asks again after anything else.
  bool AskYesNo(std::string_view text) override;
  // Asks the fields in order, one line each; an empty line keeps a field's value.
  bool RunForm(Form& form) override;
  // Asks the fields of the prompt's layout through the layout runner; without one,
  // or when it cannot read the layout, asks the prompt's items in order instead.
  bool RunPrompt(PromptDialog& dialog) override;
  // Prints the captions and asks the fields, one line each.
  bool AskPrompt(PromptQuestions& questions) override;

  // The module that reads prompt layouts; none by default.
  void SetPromptLayoutRunner(PromptLayoutRunner runner) { prompt_runner_ = std::move(runner); }

 private:
  void OpenTerminal();
  void Write(std::string_view text);
  // The next line without its line end; nullopt at the end of input.
  std::optional<std::string> ReadLine();
  // One field's answer into `field`; false at the end of input.
  bool AskField(FormField& field);
  // A combo box that takes a number or a text; false at the end of input.
  bool AskEditableChoice(PromptQuestion& question);
  bool AskPromptQuestions(PromptQuestions& questions);
  // One question per prompt item, for when no layout can be read.
  bool RunItemPrompt(PromptDialog& dialog);

  PromptLayoutRunner prompt_runner_;

  AnswerSource source_ = AnswerSource::kTerminalOrStandardInput;
  bool opened_ = false;
  int input_fd_ = -1;
  int output_fd_ = -1;
  int beep_fd_ = -1;
  int tty_fd_ = -1;  // owned
};

}  // namespace quorvan
