// libsetup_qt.so: the entry point through which setup reaches Qt.
#include <QScreen>

#include "settings/message_box.h"
#include "settings/qt_application.h"
#include "settings/text_codec.h"
#include "setup/qt/setup_dialog.h"
#include "setup/qt_module.h"

extern "C" int SetupRunQtDialog(int module_version, setup::SetupSession& session) {
  if (module_version != setup::kModuleVersion) return setup::kNoWindow;
  // No display name: the about box's title stays "About Setup".
  if (!settings::StartQtApplication("setup", QString())) return setup::kNoWindow;
  settings::SetMessageCaption(settings::FromBytes(setup::kDialogTitle));
  setup::SetupDialog dialog(session.installer, session.presets);
  dialog.adjustSize();
  if (QScreen* screen = dialog.screen()) {
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  }
  dialog.exec();
  if (dialog.result() == QDialog::Accepted) return 0;
  return session.installer.failed_once() ? 1 : 0;
}
