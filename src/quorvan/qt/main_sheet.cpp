#include "quorvan/qt/main_sheet.h"

#include <QVBoxLayout>

#include "quorvan/qt/defaults_page.h"
#include "settings/config_page.h"
#include "ui_about_dialog.h"

namespace quorvan {

MainSheet::MainSheet(config::Settings& settings, std::span<const ActionEntry> actions,
                     GeneratorPage::RunActionFunction run_action, QWidget* parent)
    : PropertySheet(settings, tr(kSheetTitle), kChooserId, parent) {
  generator_ = new GeneratorPage(actions, std::move(run_action));
  defaults_ = new DefaultsPage(settings);
  configurations_ = new settings::ConfigPage(settings, [this] { FillConfigurationChooser(); });
  AddPage(generator_);
  AddPage(defaults_);
  AddPage(configurations_);
  connect(generator_, &GeneratorPage::actionChosen, this, &MainSheet::OkPressed);

  AddAboutMenu(tr(kAboutMenuText), [this] { ShowAbout(); });
}

void MainSheet::OkPressed() {
  if (settings::PropertyPage* current = active_page(); current && !current->OnKillActive()) {
    return;
  }
  // Only with the Generator page in front does OK run an action.
  for (int i = active_index() == 0 ? 0 : 1; i < page_count(); ++i) page(i)->OnOK();
  done(generator_->action_result());
}

void MainSheet::ShowAbout() {
  QDialog about(this);
  Ui::AboutDialog ui;
  ui.setupUi(&about);
  about.exec();
}

int RunMainSheet(config::Settings& settings, std::span<const ActionEntry> actions,
                 GeneratorPage::RunActionFunction run_action, const QString& help_file) {
  MainSheet sheet(settings, actions, std::move(run_action));
  sheet.SetHelpFile(help_file);
  sheet.exec();
  const GeneratorPage* generator = sheet.generator_page();
  return generator->action_ran() && generator->action_result() != kActionSucceeded ? 1 : 0;
}

}  // namespace quorvan
