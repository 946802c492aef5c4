// libsetup_qt.so: the entry point through which setup reaches Qt.
#include <QScreen>

#include "setup/qt/setup_dialog.h"
#include "setup/qt_module.h"
#include "settings/qt_start.h"

extern "C" int SetupRunQtDialog(int module_version, setup::SetupSession& session) {
  if (module_version != setup::kModuleVersion) return setup::kNoWindow;
  if (!settings::StartQtApplication("setup", "Pellmoor Setup")) return setup::kNoWindow;
  setup::SetupDialog dialog(session.installer, session.presets);
  dialog.adjustSize();
  if (QScreen* screen = dialog.screen()) {
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  }
  dialog.exec();
  if (dialog.result() == QDialog::Accepted) return 0;
  return session.installer.failed_once() ? 1 : 0;
}
