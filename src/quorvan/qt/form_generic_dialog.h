// The dialog of a form without a layout of its own, built from its fields in tab
// order: an edit under its label, a group box of option buttons, a list (under its
// caption when it has one), a check box; OK and Cancel below.
#pragma once

#include "quorvan/qt/form_dialog.h"

namespace quorvan {

class GenericFormDialog : public FormDialog {
  Q_OBJECT

 public:
  // The widget of field i is named "field<i>", its option buttons "field<i>choice<j>".
  GenericFormDialog(Form& form, QWidget* parent);
};

}  // namespace quorvan
