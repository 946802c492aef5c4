// ferrul's user interface in windows: warning boxes, the dialog, the wait cursor.
#pragma once

#include "ferrul/ferrul_run.h"

namespace ferrul {

class QtFerrulUi : public FerrulUi {
 public:
  void ShowWarning(const Warning& warning) override;
  EditResult EditScript(std::string& script) override;
  void BeginWait() override;
  void EndWait() override;
};

}  // namespace ferrul
