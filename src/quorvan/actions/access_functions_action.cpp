#include "quorvan/actions/access_functions.h"
#include "quorvan/actions/actions.h"
#include "quorvan/actions/control_file.h"
#include "quorvan/clipboard_exchange.h"

namespace quorvan {

bool AccessFunctionsAction(App& app) {
  app.ide.CopySelection();
  std::string text;
  if (!ReadClipboardText(app, text, true, &app.ColumnSelection)) return false;
  std::string control = LocateControlFile(app, "Access Member File", "ACCFCN.CTL");
  if (control.empty()) return false;
  int grouping = app.settings.ReadSettingNumber("Defaults", "Member Grouping", kGroupByAction);
  std::string output = GenerateAccessFunctions(text, control, grouping, &app.ui);
  bool written = WriteClipboardText(app, output, app.ColumnSelection);
  app.ColumnSelection = 0;
  return written;
}

}  // namespace quorvan
