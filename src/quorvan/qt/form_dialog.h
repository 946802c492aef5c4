// The base of quorvan's action dialogs: maps the fields of a Form onto widgets,
// presets them from the form and, on OK, checks the entries field by field before
// copying them back. A refused field gets the message and the focus, and the dialog
// stays open; Cancel leaves the form as it was.
#pragma once

#include <QDialog>
#include <vector>

#include "quorvan/user_interface.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace quorvan {

// The widgets that stand for one field; only those of the field's kind are set.
struct FieldWidgets {
  QLineEdit* edit = nullptr;          // kEdit
  std::vector<QRadioButton*> radios;  // kRadioGroup, one per choice
  QListWidget* list = nullptr;        // kList, filled from the choices
  QCheckBox* check = nullptr;         // kCheckBox
};

class FormDialog : public QDialog {
  Q_OBJECT

 public:
  // The form must outlive the dialog; it is written only when OK succeeds.
  FormDialog(Form& form, QWidget* parent);
  ~FormDialog() override;

  const Form& form() const { return form_; }

  // OK: reads every field, checks them in order with Form::Check and closes only
  // when none is refused.
  void accept() override;

 protected:
  // Called by a subclass once its widgets exist, with one entry per field in the
  // form's order: presets them, connects OK and Cancel of `buttons` (OK being the
  // default button) and makes a double click in a list work as OK.
  void Bind(std::vector<FieldWidgets> widgets, QDialogButtonBox* buttons);

 private:
  Form& form_;
  std::vector<FieldWidgets> widgets_;
};

}  // namespace quorvan
