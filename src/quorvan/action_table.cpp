#include "quorvan/action_table.h"

#include <array>

#include "quorvan/actions/actions.h"

namespace quorvan {
namespace {

constexpr std::array<ActionEntry, 10> kActions{{
    {0, "Function Header",
     "Converts a function definition into a function header.\n"
     "Destroys the current clipboard contents.",
     &FunctionHeaderAction, true},
    {1, "Module Header",
     "Creates a module header.\n"
     "Destroys the current clipboard contents.",
     &ModuleHeaderAction, true},
    {2, "Access Functions",
     "Converts a set of class data member declarations into a set of access functions.\n"
     "Destroys the current clipboard contents.",
     &AccessFunctionsAction, true},
    {3, "Clipboard Append",
     "Appends the currently selected text to what is already on the clipboard.",
     &ClipboardAppendAction, false},
    {4, "External Filter",
     "Runs the contents through a user defined filter application.  The filter output "
     "replaces the original text. ",
     &ExternalFilterAction, false},
    {5, "Insert Common Strings",
     "Allows a string to be quickly inserted into the file at the current cursor location.",
     &CommonStringsAction, false},
    {6, "Open Common File", "Opens a file from a list of commonly opened files.",
     &CommonFilesAction, false},
    {7, "Column Insert",
     "Inserts a string into the currently selected column.\n"
     "This only works with Visual C++ Version 2.0 and greater.",
     &ColumnInsertAction, false},
    {8, "Source Header Swap",
     "Automaticaly switches bewteen a source and header file with the same name, but "
     "different extensions.",
     &SourceHeaderSwapAction, false},
    {9, "Extract RTF as Text", "Paste RTF clipboard data as text data.", &RtfAsTextAction, false},
}};

}  // namespace

std::span<const ActionEntry> ActionTable() { return kActions; }

bool RunAction(App& app, int index, std::span<const ActionEntry> table) {
  for (const ActionEntry& entry : table) {
    if (entry.index != index) continue;
    if (!entry.run(app)) {
      app.ui.Beep();
      return false;
    }
    if (entry.dispatcher_pastes) app.ide.PasteResult();
    return true;
  }
  app.ui.ShowMessage(kUndefinedActionMessage);
  return false;
}

}  // namespace quorvan
