#include "ferrul/qt/ferrul_dialog.h"

#include <QAction>
#include <QMessageBox>
#include <QPalette>

#include "ferrul/ferrul_run.h"
#include "settings/text_codec.h"
#include "ui_ferrul_dialog.h"

namespace ferrul {

FerrulDialog::FerrulDialog(const std::string& script, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::FerrulDialog>()) {
  ui_->setupUi(this);
  ui_->scriptEdit->setPlainText(settings::FromBytes(script));
  // A fixed-width font suits a script.
  ui_->scriptEdit->setFont(QFont("Monospace"));

  // Qt offers no window menu to extend, so the about box hangs in the dialog's
  // context menu (the edit field keeps its own).
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  auto* about = new QAction(tr("&About ferrul..."), this);
  about->setObjectName("aboutAction");
  connect(about, &QAction::triggered, this, &FerrulDialog::ShowAbout);
  addAction(separator);
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &FerrulDialog::accept);
  connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &FerrulDialog::reject);
  ui_->scriptEdit->setFocus();
}

FerrulDialog::~FerrulDialog() = default;

std::string FerrulDialog::Script() const {
  return settings::ToBytes(ui_->scriptEdit->toPlainText());
}

void FerrulDialog::ShowAbout() {
  QMessageBox about(QMessageBox::Information, settings::FromBytes(kAboutTitle),
                    settings::FromBytes(kAboutText), QMessageBox::Ok, this);
  about.setObjectName("aboutBox");
  about.exec();
}

}  // namespace ferrul
