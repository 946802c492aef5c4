//
#pragma once

#include <memory>

#include "quorvan/qt/form_dialog.h"

namespace Ui {
class ColumnInsertDialog;
}

namespace quorvan {

class ColumnInsertDialog : public FormDialog {
  Q_OBJECT

 public:
  // `form` must have the layout's fields (see FitsLayout in form_dialogs.cpp).
  ColumnInsertDialog(Form& form, QWidget* parent);
  ~ColumnInsertDialog() override;

 private:
  std::unique_ptr<Ui::ColumnInsertDialog> ui_;
};

}  // namespace quorvan
