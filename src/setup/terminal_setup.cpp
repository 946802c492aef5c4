#include "setup/terminal_setup.h"

#include <fcntl.h>
#include <unistd.h>


#include "platform/answer_line.h"
#include "platform/atomic_file.h"

namespace setup {
namespace {

// 1 for yes, 0 for no, -1 for anything else.
int YesNo(std::string answer) {
  for (char& c : answer) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  if (answer == "y" || answer == "yes") return 1;
  if (answer == "n" || answer == "no") return 0;
  return -1;
}

}  // namespace

TerminalSetup::TerminalSetup() = default;

TerminalSetup::TerminalSetup(int input_fd, int output_fd)
    : opened_(true), input_fd_(input_fd), output_fd_(output_fd) {}

TerminalSetup::~TerminalSetup() {
  if (tty_fd_ >= 0) ::close(tty_fd_);
}

void TerminalSetup::OpenTerminal() {
  if (opened_) return;
  opened_ = true;
  tty_fd_ = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  input_fd_ = tty_fd_ >= 0 ? tty_fd_ : STDIN_FILENO;
  output_fd_ = STDERR_FILENO;
}

void TerminalSetup::Write(std::string_view text) {
  OpenTerminal();
  platform::WriteAll(output_fd_, text);
}

std::optional<std::string> TerminalSetup::ReadLine() {
  OpenTerminal();
  return platform::ReadAnswerLine(input_fd_);
}

bool TerminalSetup::AskEdit(std::string_view label, std::string& value) {
  Write(std::string(label) + " [" + value + "]: ");
  std::optional<std::string> answer = ReadLine();
  if (!answer) return false;
  if (!answer->empty()) value = std::move(*answer);
  return true;
}

bool TerminalSetup::AskCheckBox(std::string_view label, bool& value) {
  for (;;) {
    Write(std::string(label) + " [" + (value ? "y" : "n") + "]: ");
    std::optional<std::string> answer = ReadLine();
    if (!answer) return false;
    if (answer->empty()) return true;
    int yes = YesNo(*answer);
    if (yes >= 0) {
      value = yes == 1;
      return true;
    }
    Write("Please answer y or n.\n");
  }
}

void TerminalSetup::ShowStatus(std::string_view text) {
  Write(text);
  Write("\n");
}

void TerminalSetup::ShowMessage(std::string_view text) {
  Write(text);
  Write("\n");
}

void TerminalSetup::OpenReadme(const std::string& path) {
  Write("Installation complete. Please read " + path + "\n");
}

int TerminalSetup::Run(InstallRequest request, Installer& installer) {
  Write(std::string(kDialogTitle) + "\n");
  ShowStatus(kInitialStatus);
  if (!AskEdit("User Name:", request.user_name) ||
      !AskEdit("Company Name:", request.company_name) ||
      !AskEdit("Destination Directory:", request.destination) ||
      !AskCheckBox("Overwite Existing Control Files", request.overwrite_control_files) ||
      !AskCheckBox("Update Registry Information", request.update_registry)) {
    return installer.failed_once() ? 1 : 0;
  }
  while (!installer.Install(request, *this)) {
    // The destination field has the focus after a failure: ask it again.
    if (!AskEdit("Destination Directory:", request.destination)) return 1;
  }
  return 0;
}

}  // namespace setup
