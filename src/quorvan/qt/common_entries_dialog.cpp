#include "quorvan/qt/common_entries_dialog.h"

#include "ui_common_entries_dialog.h"

namespace quorvan {

CommonEntriesDialog::CommonEntriesDialog(Form& form, QWidget* parent)
    : FormDialog(form, parent), ui_(std::make_unique<Ui::CommonEntriesDialog>()) {
  ui_->setupUi(this);
  FieldWidgets entries;
  entries.list = ui_->entryList;
  Bind({entries}, ui_->buttonBox);
}

CommonEntriesDialog::~CommonEntriesDialog() = default;

}  // namespace quorvan
