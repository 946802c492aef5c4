//
#pragma once

#include <memory>

#include "quorvan/qt/form_dialog.h"

namespace Ui {
class CommonEntriesDialog;
}

namespace quorvan {

class CommonEntriesDialog : public FormDialog {
  Q_OBJECT

 public:
  // `form` must have the layout's fields (see FitsLayout in form_dialogs.cpp).
  CommonEntriesDialog(Form& form, QWidget* parent);
  ~CommonEntriesDialog() override;

 private:
  std::unique_ptr<Ui::CommonEntriesDialog> ui_;
};

}  // namespace quorvan
