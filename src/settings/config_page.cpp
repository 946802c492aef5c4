#include "settings/config_page.h"

#include <optional>

#include "settings/add_configuration_dialog.h"
#include "settings/property_sheet.h"
#include "settings/text_codec.h"
#include "ui_config_page.h"

namespace settings {

ConfigPage::ConfigPage(config::Settings& settings, std::function<void()> committed, QWidget* parent)
    : EditingPage(tr("Configurations"), parent),
      settings_(settings),
      committed_(std::move(committed)),
      ui_(std::make_unique<Ui::ConfigPage>()) {
  ui_->setupUi(this);
  connect(ui_->addButton, &QPushButton::clicked, this, &ConfigPage::AddPressed);
  connect(ui_->deleteButton, &QPushButton::clicked, this, &ConfigPage::DeletePressed);
}

ConfigPage::~ConfigPage() = default;

QStringList ConfigPage::names() const {
  QStringList list;
  for (int i = 0; i < ui_->configurationList->count(); ++i) {
    list.append(ui_->configurationList->item(i)->text());
  }
  return list;
}

void ConfigPage::LoadControls() {
  ui_->configurationList->clear();
  for (const QString& name : ListedConfigurations(settings_)) AddName(name);
}

void ConfigPage::AddName(const QString& name) {
  const QStringList listed = names();
  for (const QString& entry : listed) {
    if (entry.startsWith(name, Qt::CaseInsensitive)) return;
  }
  int position = 0;
  while (position < listed.size() &&
         QString::compare(listed[position], name, Qt::CaseInsensitive) <= 0) {
    ++position;
  }
  ui_->configurationList->insertItem(position, name);
}

void ConfigPage::AddPressed() {
  AddConfigurationDialog dialog(this);
  std::optional<DialogHelpContext> help;
  if (dialog_help_context_ != 0) help.emplace(&dialog, dialog_help_context_);
  if (dialog.exec() == QDialog::Accepted) AddName(dialog.name());
  UserEdited();
}

void ConfigPage::DeletePressed() {
  QListWidget* list = ui_->configurationList;
  const int row = list->currentRow();
  if (row < 0 || !list->currentItem()->isSelected()) return;
  delete list->takeItem(row);
  if (list->count() > 0) {
    list->setCurrentRow(std::min(row, list->count() - 1));
  } else {
    list->setCurrentRow(-1);
  }
  UserEdited();
}

void ConfigPage::WriteControls() {
  const QStringList listed = names();
  settings_.WriteSectionNumber(config::kConfigurationsSection, kNumberOfConfigs,
                               static_cast<std::int32_t>(listed.size()));
  for (int i = 0; i < listed.size(); ++i) {
    settings_.WriteSectionValue(config::kConfigurationsSection, kConfigurationBase, i,
                                ToBytes(listed[i]));
  }
  settings_.WriteSectionValue(config::kConfigurationsSection, kLastConfiguration,
                              settings_.CurrentConfiguration());
  if (committed_) committed_();
}

}  // namespace settings
