// setup's dialog on a terminal: the fields are asked one line each, in tab order;
// status texts and messages go to standard error, each on its own line. Answers come
// from /dev/tty, or from standard input when there is no terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "setup/installer.h"

namespace setup {

class TerminalSetup : public InstallerUi {
 public:
  // The terminal is opened on first need.
  TerminalSetup();
  // Answers from `input_fd`, text to `output_fd`; both stay the caller's.
  TerminalSetup(int input_fd, int output_fd);
  ~TerminalSetup() override;
  TerminalSetup(const TerminalSetup&) = delete;
  TerminalSetup& operator=(const TerminalSetup&) = delete;

  // Asks the fields with `presets`, then installs; after a failure asks the
  // destination again and retries with the other answers as they were. Returns the
  // exit status: 0 once installed, or at the end of input (Cancel) before any failure
  // message; 1 at the end of input after one.
  int Run(InstallRequest presets, Installer& installer);

  void ShowStatus(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void FocusDestination() override {}
  // Nothing is opened without a display: the read-me's path is printed.
  void OpenReadme(const std::string& path) override;

 private:
  void OpenTerminal();
  void Write(std::string_view text);
  std::optional<std::string> ReadLine();
  // An edit: the answer replaces `value`, an empty line keeps it. False at the end
  // of input.
  bool AskEdit(std::string_view label, std::string& value);
  // A check box: y/yes or n/no in any case, an empty line keeps it.
  bool AskCheckBox(std::string_view label, bool& value);

  bool opened_ = false;
  int input_fd_ = -1;
  int output_fd_ = -1;
  int tty_fd_ = -1;  // owned
};

}  // namespace setup
