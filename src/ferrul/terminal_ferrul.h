// ferrul without a window: warnings go to standard error, and the script is edited
// with the user's editor ($VISUAL, else $EDITOR, else vi) on a temporary copy.
#pragma once

#include <string>

#include "ferrul/ferrul_run.h"

namespace ferrul {

class TerminalFerrulUi : public FerrulUi {
 public:
  // Messages to `output_fd` (standard error by default); it stays the caller's.
  explicit TerminalFerrulUi(int output_fd = 2) : output_fd_(output_fd) {}

  void ShowWarning(const Warning& warning) override;
  // The editor ending with status 0 confirms (the copy's text becomes the script),
  // any other ending cancels. The copy is removed on every path.
  EditResult EditScript(std::string& script) override;
  void BeginWait() override {}
  void EndWait() override {}

 private:
  int output_fd_;
};

// The editor's command: $VISUAL, else $EDITOR, else "vi" (empty values count as unset).
std::string EditorCommand();

}  // namespace ferrul
