#include "tallowik/qt/replacement_dialog.h"

#include "settings/message_box.h"
#include "settings/text_codec.h"
#include "ui_replacement_dialog.h"

namespace tallowik {

ReplacementDialog::ReplacementDialog(const UserStringPair& pair, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ReplacementDialog>()) {
  ui_->setupUi(this);
  ui_->withEdit->setText(settings::FromBytes(pair.with));
  ui_->replaceEdit->setText(settings::FromBytes(pair.replace));
  ui_->replaceEdit->setFocus();
  connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &ReplacementDialog::accept);
  connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &ReplacementDialog::reject);
}

ReplacementDialog::~ReplacementDialog() = default;

UserStringPair ReplacementDialog::pair() const {
  return {settings::ToBytes(ui_->replaceEdit->text()), settings::ToBytes(ui_->withEdit->text())};
}

void ReplacementDialog::accept() {
  if (ui_->replaceEdit->text().isEmpty()) {
    settings::ShowMessage(this, settings::FromBytes(kNeedReplace));
    ui_->replaceEdit->setFocus();
    return;
  }
  if (ui_->withEdit->text().isEmpty()) {
    settings::ShowMessage(this, settings::FromBytes(kNeedWith));
    ui_->withEdit->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace tallowik
