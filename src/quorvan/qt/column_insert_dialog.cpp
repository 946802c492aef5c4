#include "quorvan/qt/column_insert_dialog.h"

#include "ui_column_insert_dialog.h"

namespace quorvan {

ColumnInsertDialog::ColumnInsertDialog(Form& form, QWidget* parent)
    : FormDialog(form, parent), ui_(std::make_unique<Ui::ColumnInsertDialog>()) {
  ui_->setupUi(this);
  FieldWidgets text;
  text.edit = ui_->insertEdit;
  FieldWidgets translate;
  translate.check = ui_->translateCheck;
  Bind({text, translate}, ui_->buttonBox);
}

ColumnInsertDialog::~ColumnInsertDialog() = default;

}  // namespace quorvan
