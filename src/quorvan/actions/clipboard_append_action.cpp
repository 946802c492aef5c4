#include <string>

#include "quorvan/actions/actions.h"
#include "quorvan/clipboard_exchange.h"

namespace quorvan {

// The clipboard's text followed at once by the IDE's selection; nothing is pasted.
// A clipboard without text fails before the IDE is asked to copy.
bool ClipboardAppendAction(App& app) {
  std::string kept;
  if (!ReadClipboardText(app, kept, false, &app.ColumnSelection)) return false;
  app.ide.CopySelection();
  std::string selection;
  const bool written = ReadClipboardText(app, selection, false, &app.ColumnSelection) &&
                       WriteClipboardText(app, kept + selection, app.ColumnSelection);
  app.ColumnSelection = 0;
  return written;
}

}  // namespace quorvan
