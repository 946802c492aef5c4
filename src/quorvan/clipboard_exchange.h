// Reading the user's text from the clipboard and writing a result back, marked as
// processed and, when it came from a column selection, as a column selection.
#pragma once

#include <string>
#include <string_view>

#include "platform/clipboard.h"
#include "quorvan/app.h"
#include "quorvan/user_interface.h"

namespace quorvan {

// The processed marker, whose data is one byte of value 1.
inline constexpr std::string_view kProcessedFormatName = "Quorvan Format";
// The IDE's mark of a column (block) selection; this program writes one byte 1.
inline constexpr std::string_view kColumnFormatName = "MSVCColumnSelect";
inline constexpr std::string_view kRichTextFormatName = "Rich Text Format";

inline constexpr std::string_view kProcessedQuestion =
    "  The text on the clipboard has already been processed\n"
    "by Quorvane, Would you like to process it again?";

// Reads `format` as zero-terminated text (up to its first zero byte) into `text`.
// With `ask_processed`, text that carries the processed marker is read only after
// the user answers Yes. `column_selection`, when given, is set to whether the
// column marker is present. False, with the outputs untouched, on No, when the
// clipboard cannot be opened or when it holds no data of `format`.
bool ReadClipboardText(platform::Clipboard& clipboard, UserInterface& ui, std::string& text,
                       bool ask_processed, int* column_selection,
                       platform::Clipboard::Format format = platform::Clipboard::kText);
bool ReadClipboardText(App& app, std::string& text, bool ask_processed, int* column_selection,
                       platform::Clipboard::Format format = platform::Clipboard::kText);

// Replaces the clipboard with `text` (up to its first zero byte) and the processed
// marker, plus the column marker when `column_selection` is set. False, leaving the
// clipboard as it was, for an empty text or when the clipboard cannot be opened or
// the result cannot be stored.
bool WriteClipboardText(platform::Clipboard& clipboard, std::string_view text,
                        int column_selection);
inline bool WriteClipboardText(App& app, std::string_view text, int column_selection) {
  return WriteClipboardText(app.clipboard, text, column_selection);
}

}  // namespace quorvan
