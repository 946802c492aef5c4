//
#pragma once

#include <memory>

#include "quorvan/qt/form_dialog.h"

namespace Ui {
class FilterDialog;
}

namespace quorvan {

class FilterDialog : public FormDialog {
  Q_OBJECT

 public:
  // `form` must have the layout's fields (see FitsLayout in form_dialogs.cpp).
  FilterDialog(Form& form, QWidget* parent);
  ~FilterDialog() override;

 private:
  std::unique_ptr<Ui::FilterDialog> ui_;
};

}  // namespace quorvan
