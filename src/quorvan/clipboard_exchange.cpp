#include "quorvan/clipboard_exchange.h"

namespace quorvan {
namespace {

std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

bool ReadClipboardText(platform::Clipboard& clipboard, UserInterface& ui, std::string& text,
                       bool ask_processed, int* column_selection,
                       platform::Clipboard::Format format) {
  platform::Clipboard::Format processed = clipboard.RegisterFormat(kProcessedFormatName);
  platform::Clipboard::Format column = clipboard.RegisterFormat(kColumnFormatName);
  if (ask_processed && clipboard.IsFormatAvailable(processed) && !ui.AskYesNo(kProcessedQuestion)) {
    return false;
  }
  // A clipboard that cannot be opened is a failure: reporting success would let the
  // action work on, and paste, stale text.
  if (!clipboard.Open()) return false;
  std::optional<std::string> data = clipboard.GetData(format);
  if (!data) {
    clipboard.Close();
    return false;
  }
  text.assign(UpToZero(*data));
  if (column_selection) *column_selection = clipboard.IsFormatAvailable(column) ? 1 : 0;
  clipboard.Close();
  return true;
}

bool ReadClipboardText(App& app, std::string& text, bool ask_processed, int* column_selection,
                       platform::Clipboard::Format format) {
  return ReadClipboardText(app.clipboard, app.ui, text, ask_processed, column_selection, format);
}

bool WriteClipboardText(platform::Clipboard& clipboard, std::string_view text,
                        int column_selection) {
  text = UpToZero(text);
  if (text.empty()) return false;
  platform::Clipboard::Format processed = clipboard.RegisterFormat(kProcessedFormatName);
  platform::Clipboard::Format column = clipboard.RegisterFormat(kColumnFormatName);
  if (!clipboard.Open()) return false;
  bool set = clipboard.Empty();
  if (set && column_selection) set = clipboard.SetData(column, std::string(1, '\1'));
  if (set) set = clipboard.SetData(platform::Clipboard::kText, std::string(text));
  if (set) set = clipboard.SetData(processed, std::string(1, '\1'));
  return clipboard.Close() && set;
}

}  // namespace quorvan
