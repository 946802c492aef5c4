#include "quorvan/actions/actions.h"
#include "quorvan/actions/control_file.h"
#include "quorvan/actions/header_actions.h"
#include "quorvan/clipboard_exchange.h"

namespace quorvan {

bool ModuleHeader(App& app, const engine::Clock& clock) {
  std::string control = LocateControlFile(app, "Module Header File", "MODHDR.CTL");
  if (control.empty()) return false;
  engine::VariableTable table;
  table.Reserve(8);
  engine::AddFileUserDateVariables(table, app.settings, app.command_line.file_name, clock);
  std::string result;
  if (!ExpandControlFileText(app, control, table, 0, result)) return false;
  app.ide.PositionForPaste(0);
  bool written = WriteClipboardText(app, result, app.ColumnSelection);
  app.ColumnSelection = 0;
  return written;
}

bool ModuleHeaderAction(App& app) { return ModuleHeader(app, engine::SystemClock()); }

}  // namespace quorvan
