// The action dialogs on Qt: "External Filter", "Column Insert", "Common Strings" and
// "Common Files" from their Designer layouts, any other form as a generic dialog.
#pragma once

#include <memory>

#include "quorvan/qt/form_dialog.h"
#include "quorvan/user_interface.h"

class QWidget;

namespace quorvan {

// The dialog for `form`: its layout when the identifier names one and the fields
// have that layout's kinds and numbers of choices, else the generic dialog.
std::unique_ptr<FormDialog> MakeFormDialog(Form& form, QWidget* owner);

// Runs `form` modally over `owner` (centred over it, or over the screen): true for
// OK with the fields holding the entries, false for Cancel with them unchanged.
bool RunFormDialog(Form& form, QWidget* owner);

}  // namespace quorvan
