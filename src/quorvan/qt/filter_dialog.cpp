#include "quorvan/qt/filter_dialog.h"

#include "ui_filter_dialog.h"

namespace quorvan {

FilterDialog::FilterDialog(Form& form, QWidget* parent)
    : FormDialog(form, parent), ui_(std::make_unique<Ui::FilterDialog>()) {
  ui_->setupUi(this);
  FieldWidgets command;
  command.edit = ui_->commandEdit;
  FieldWidgets type;
  type.radios = {ui_->redirectButton, ui_->fileBasedButton, ui_->literalButton};
  FieldWidgets window;
  window.radios = {ui_->hiddenButton, ui_->visibleButton};
  Bind({command, type, window}, ui_->buttonBox);
}

FilterDialog::~FilterDialog() = default;

}  // namespace quorvan
