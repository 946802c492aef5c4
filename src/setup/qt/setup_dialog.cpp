#include "setup/qt/setup_dialog.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>

#include "settings/message_box.h"
#include "settings/text_codec.h"
#include "setup/readme_opener.h"
#include "ui_setup_dialog.h"

namespace setup {
namespace {

QString Text(std::string_view text) { return settings::FromBytes(text); }

}  // namespace

SetupDialog::SetupDialog(Installer& installer, const InstallRequest& presets, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::SetupDialog>()),
      installer_(installer),
      open_readme_(&OpenWithDesktop) {
  ui_->setupUi(this);
  // The installer's dialogs have a light grey background.
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(grey);
  setAutoFillBackground(true);

  ui_->userNameEdit->setText(Text(presets.user_name));
  ui_->companyNameEdit->setText(Text(presets.company_name));
  ui_->destinationEdit->setText(Text(presets.destination));
  ui_->overwriteCheck->setChecked(presets.overwrite_control_files);
  ui_->registryCheck->setChecked(presets.update_registry);
  ui_->statusLabel->setText(Text(kInitialStatus));

  // Qt offers no window menu to extend, so the about box hangs in the dialog's
  // context menu.
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  auto* about = new QAction(tr("&About Setup..."), this);
  about->setObjectName("aboutAction");
  connect(about, &QAction::triggered, this, &SetupDialog::ShowAbout);
  addAction(separator);
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &SetupDialog::accept);
  connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &SetupDialog::reject);
}

SetupDialog::~SetupDialog() = default;

InstallRequest SetupDialog::Request() const {
  InstallRequest request;
  request.user_name = settings::ToBytes(ui_->userNameEdit->text());
  request.company_name = settings::ToBytes(ui_->companyNameEdit->text());
  request.destination = settings::ToBytes(ui_->destinationEdit->text());
  request.overwrite_control_files = ui_->overwriteCheck->isChecked();
  request.update_registry = ui_->registryCheck->isChecked();
  return request;
}

void SetupDialog::accept() {
  if (installer_.Install(Request(), *this)) QDialog::accept();
}

void SetupDialog::ShowAbout() {
  QMessageBox about(QMessageBox::Information, Text(kAboutTitle), Text(kAboutText), QMessageBox::Ok,
                    this);
  about.setObjectName("aboutBox");
  about.exec();
}

void SetupDialog::ShowStatus(std::string_view text) {
  ui_->statusLabel->setText(Text(text));
  // The status line shows each step while the copies run.
  ui_->statusLabel->repaint();
}

void SetupDialog::ShowMessage(std::string_view text) { settings::ShowMessage(this, Text(text)); }

void SetupDialog::FocusDestination() { ui_->destinationEdit->setFocus(); }

void SetupDialog::OpenReadme(const std::string& path) {
  if (open_readme_) open_readme_(path);
}

}  // namespace setup
