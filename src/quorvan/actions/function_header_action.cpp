#include "engine/function_declaration.h"
#include "quorvan/actions/actions.h"
#include "quorvan/actions/control_file.h"
#include "quorvan/actions/header_actions.h"
#include "quorvan/clipboard_exchange.h"

namespace quorvan {

bool FunctionHeader(App& app, const engine::Clock& clock) {
  app.ide.CopySelection();
  std::string text;
  if (!ReadClipboardText(app, text, true, &app.ColumnSelection)) return false;
  std::string control = LocateControlFile(app, "Function Header File", "FCNHDR.CTL");
  if (control.empty()) return false;

  engine::FunctionDeclaration declaration;
  if (!engine::ParseFunctionDeclaration(text, declaration)) return false;
  int argument_count = static_cast<int>(declaration.arguments.size());
  engine::VariableTable table;
  table.Reserve(17 + 4 * declaration.arguments.size());
  engine::AddFileUserDateVariables(table, app.settings, app.command_line.file_name, clock);
  engine::AddFunctionVariables(table, declaration);

  std::string result;
  if (!ExpandControlFileText(app, control, table, argument_count, result)) return false;
  bool written = WriteClipboardText(app, result, app.ColumnSelection);
  app.ColumnSelection = 0;
  return written;
}

bool FunctionHeaderAction(App& app) { return FunctionHeader(app, engine::SystemClock()); }

}  // namespace quorvan
