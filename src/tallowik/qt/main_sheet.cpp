#include "tallowik/qt/main_sheet.h"

#include <QStyle>
#include <QVBoxLayout>

#include "settings/config_page.h"
#include "settings/text_codec.h"
#include "tallowik/qt/base_page.h"
#include "tallowik/qt/defaults_page.h"
#include "tallowik/qt/main_page.h"
#include "tallowik/qt/user_strings_page.h"
#include "ui_about_dialog.h"

namespace tallowik {

MainSheet::MainSheet(config::Settings& settings, const engine::Clock& clock,
                     platform::DdeClient& dde, ProjectArguments project, QWidget* parent)
    : PropertySheet(settings, tr(kSheetTitle), kChooserId, parent) {
  main_ = new MainPage(settings, clock, dde, std::move(project));
  base_ = new BasePage(settings);
  defaults_ = new DefaultsPage(settings);
  user_strings_ = new UserStringsPage(settings);
  configurations_ = new settings::ConfigPage(settings, [this] { FillConfigurationChooser(); });
  configurations_->SetDialogHelpContext(kAddConfigurationHelpContext);
  AddPage(main_);
  AddPage(base_);
  AddPage(defaults_);
  AddPage(user_strings_);
  AddPage(configurations_);

  AddAboutMenu(tr(kAboutMenuText), [this] { ShowAbout(); });
}

void MainSheet::OkPressed() {
  if (settings::PropertyPage* current = active_page(); current && !current->OnKillActive()) {
    return;
  }
  for (int i = 0; i < page_count(); ++i) page(i)->OnOK();
  done(Accepted);
}

void MainSheet::ShowAbout() {
  QDialog about(this);
  Ui::AboutDialog ui;
  ui.setupUi(&about);
  QIcon icon = windowIcon();
  if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
  ui.iconLabel->setPixmap(icon.pixmap(32, 32));
  about.exec();
}

int RunMainSheet(SheetRun& run) {
  MainSheet sheet(run.settings, run.clock, run.dde, run.project);
  sheet.SetHelpFile(settings::FromBytes(run.program_directory) + "/" + kHelpFileName);
  sheet.exec();
  return sheet.main_page()->generation_failed() ? 1 : 0;
}

}  // namespace tallowik
