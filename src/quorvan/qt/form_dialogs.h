// The action dialogs on Qt: "External Filter", "Column Insert", "Common Strings" and
// "Common Files" from their Designer layouts, any other form as a generic dialog.
#pragma once

#include "quorvan/user_interface.h"

class QWidget;

namespace quorvan {

// Runs `form` modally over `owner` (centred over it, or over the screen): true for
// OK with the fields holding the entries, false for Cancel with them unchanged.
bool RunFormDialog(Form& form, QWidget* owner);

}  // namespace quorvan
