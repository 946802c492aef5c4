// libquorvan_qt.so: the entry points through which quorvan reaches Qt.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "quorvan/action_table.h"
#include "quorvan/qt/main_sheet.h"
#include "quorvan/qt/prompt_terminal_form.h"
#include "quorvan/qt/qt_application.h"
#include "quorvan/qt/qt_user_interface.h"
#include "quorvan/qt_module.h"
#include "quorvan/startup.h"
#include "settings/text_codec.h"

extern "C" quorvan::UserInterface* QuorvanCreateQtUi(int interface_version) {
  if (interface_version != quorvan::kUserInterfaceVersion) return nullptr;
  if (!quorvan::EnsureQtApplication()) return nullptr;
  return new quorvan::QtUserInterface;
}

extern "C" int QuorvanRunSettingsSheet(int interface_version, quorvan::App& app) {
  if (interface_version != quorvan::kUserInterfaceVersion || !quorvan::EnsureQtApplication()) {
    std::fputs("quorvan: the settings sheet needs a display.\n", stderr);
    return quorvan::kExitUsage;
  }
  const QString help_file =
      settings::FromBytes(app.program_directory) + "/" + quorvan::kHelpFileName;
  return quorvan::RunMainSheet(
      app.settings, quorvan::ActionTable(),
      [&app](int index) { return quorvan::RunAction(app, index); }, help_file);
}

extern "C" int QuorvanRunTerminalPrompt(int interface_version, quorvan::PromptDialog& dialog,
                                        quorvan::PromptAsker& asker) {
  if (interface_version != quorvan::kUserInterfaceVersion ||
      !quorvan::EnsureOffscreenQtApplication()) {
    return static_cast<int>(quorvan::LayoutPromptStatus::kNoQt);
  }
  return static_cast<int>(quorvan::RunTerminalPrompt(dialog, asker));
}
