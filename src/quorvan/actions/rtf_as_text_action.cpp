#include <string>

#include "quorvan/actions/actions.h"
#include "quorvan/clipboard_exchange.h"

namespace quorvan {

// The clipboard's rich-text data, taken as it is (control words and braces
// included), becomes its plain text and is pasted.
bool RtfAsTextAction(App& app) {
  const platform::Clipboard::Format rich_text = app.clipboard.RegisterFormat(kRichTextFormatName);
  if (!app.clipboard.IsFormatAvailable(rich_text)) return false;
  std::string text;
  if (!ReadClipboardText(app, text, true, nullptr, rich_text)) return false;
  app.ColumnSelection = 0;
  if (!WriteClipboardText(app, text, 0)) return false;
  app.ide.PasteResult();
  return true;
}

}  // namespace quorvan
