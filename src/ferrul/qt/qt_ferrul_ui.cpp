#include "ferrul/qt/qt_ferrul_ui.h"

#include <QApplication>
#include <QScreen>

#include "ferrul/qt/ferrul_dialog.h"
#include "settings/message_box.h"
#include "settings/text_codec.h"

namespace ferrul {

void QtFerrulUi::ShowWarning(const Warning& warning) {
  settings::ShowWarning(nullptr, settings::FromBytes(warning.title),
                        settings::FromBytes(warning.text));
}

FerrulUi::EditResult QtFerrulUi::EditScript(std::string& script) {
  // Keeps the size of its layout file: the script needs room.
  FerrulDialog dialog(script);
  if (QScreen* screen = dialog.screen()) {
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  }
  if (dialog.exec() != QDialog::Accepted) return EditResult::kCancelled;
  script = dialog.Script();
  return EditResult::kConfirmed;
}

void QtFerrulUi::BeginWait() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The closed dialog disappears and the cursor changes before awk blocks the loop.
  QApplication::processEvents();
}

void QtFerrulUi::EndWait() { QApplication::restoreOverrideCursor(); }

}  // namespace ferrul
