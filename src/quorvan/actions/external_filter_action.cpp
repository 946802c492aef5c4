#include <optional>
#include <string>

#include "quorvan/actions/actions.h"
#include "quorvan/actions/filter_request.h"
#include "quorvan/actions/filter_run.h"
#include "quorvan/clipboard_exchange.h"

namespace quorvan {

// The IDE's selection through the user's filter; the output replaces the selection.
// An empty selection is a success with nothing done. On every failure the clipboard
// keeps the selection that the copy put there.
bool ExternalFilterAction(App& app) {
  app.ide.CopySelection();
  std::string text;
  if (!ReadClipboardText(app, text, false, &app.ColumnSelection)) return false;
  if (text.empty()) return true;

  std::optional<FilterRequest> request = GetFilterRequest(app);
  std::optional<std::string> output;
  if (request) output = RunFilter(app.settings, app.processes, *request, text);
  const bool written = output && WriteClipboardText(app, *output, app.ColumnSelection);
  app.ColumnSelection = 0;
  if (!written) return false;
  app.ide.PasteResult();
  return true;
}

}  // namespace quorvan
