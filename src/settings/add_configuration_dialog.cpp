#include "settings/add_configuration_dialog.h"

#include "settings/message_box.h"
#include "ui_add_configuration_dialog.h"

namespace settings {

AddConfigurationDialog::AddConfigurationDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::AddConfigurationDialog>()) {
  ui_->setupUi(this);
  connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &AddConfigurationDialog::accept);
  connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &AddConfigurationDialog::reject);
  ui_->nameEdit->setFocus();
}

AddConfigurationDialog::~AddConfigurationDialog() = default;

QString AddConfigurationDialog::name() const { return ui_->nameEdit->text(); }

void AddConfigurationDialog::accept() {
  if (ui_->nameEdit->text().isEmpty()) {
    ShowMessage(this, tr(kEmptyConfigurationMessage));
    ui_->nameEdit->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace settings
