#include "quorvan/qt/qt_user_interface.h"

#include <QApplication>
#include <QWidget>

#include "quorvan/qt/form_dialogs.h"
#include "quorvan/qt/prompt_dialog_qt.h"
#include "settings/message_box.h"
#include "settings/text_codec.h"

namespace quorvan {
namespace {

// The window that owns what is shown: the modal dialog or the window in front
// (the settings sheet when an action runs from it), or none.
QWidget* Owner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

void QtUserInterface::ShowMessage(std::string_view text) {
  settings::ShowMessage(Owner(), settings::FromBytes(text));
}

void QtUserInterface::Beep() { QApplication::beep(); }

bool QtUserInterface::AskYesNo(std::string_view text) {
  return settings::AskYesNo(Owner(), settings::FromBytes(text));
}

bool QtUserInterface::RunForm(Form& form) { return RunFormDialog(form, Owner()); }

bool QtUserInterface::RunPrompt(PromptDialog& dialog) { return RunPromptDialog(dialog, Owner()); }

}  // namespace quorvan
