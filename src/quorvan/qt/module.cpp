// libquorvan_qt.so: the entry points through which quorvan reaches Qt. Nothing
// thrown here may reach the program, whose C++ runtime is not this module's (see
// qt_module.h): every entry point and every call the program makes into the user
// interface catches everything and reports a failure instead.
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <string>
#include <vector>

#include "quorvan/action_table.h"
#include "quorvan/qt/main_sheet.h"
#include "quorvan/qt/prompt_terminal_form.h"
#include "quorvan/qt/qt_application.h"
#include "quorvan/qt/qt_user_interface.h"
#include "quorvan/qt_module.h"
#include "quorvan/startup.h"
#include "settings/text_codec.h"

namespace {

// The Qt interface as the program sees it: a failure where Qt or the dialogs throw.
class BoundaryUserInterface : public quorvan::UserInterface {
 public:
  void ShowMessage(std::string_view text) override {
    try {
      qt_.ShowMessage(text);
    } catch (...) {
    }
  }
  void Beep() override {
    try {
      qt_.Beep();
    } catch (...) {
    }
  }
  bool AskYesNo(std::string_view text) override {
    try {
      return qt_.AskYesNo(text);
    } catch (...) {
      return false;
    }
  }
  bool RunForm(quorvan::Form& form) override {
    try {
      return qt_.RunForm(form);
    } catch (...) {
      return false;
    }
  }
  bool RunPrompt(quorvan::PromptDialog& dialog) override {
    try {
      return qt_.RunPrompt(dialog);
    } catch (...) {
      return false;
    }
  }

 private:
  quorvan::QtUserInterface qt_;
};

}  // namespace

extern "C" quorvan::UserInterface* QuorvanCreateQtUi(int interface_version) {
  try {
    if (interface_version != quorvan::kUserInterfaceVersion) return nullptr;
    if (!quorvan::EnsureQtApplication()) return nullptr;
    return new BoundaryUserInterface;
  } catch (...) {
    return nullptr;
  }
}

extern "C" int QuorvanRunSettingsSheet(int interface_version, int argc, const char* const* argv) {
  try {
    if (interface_version != quorvan::kUserInterfaceVersion || !quorvan::EnsureQtApplication()) {
      std::fputs("quorvan: the settings sheet needs a display.\n", stderr);
      return quorvan::kExitUsage;
    }
    const std::vector<std::string> args(argv, argv + argc);
    quorvan::QtUserInterface ui;
    return quorvan::RunWithApp(args, ui, [](quorvan::App& app) {
      const QString help_file =
          settings::FromBytes(app.program_directory) + "/" + quorvan::kHelpFileName;
      return quorvan::RunMainSheet(
          app.settings, quorvan::ActionTable(),
          [&app](int index) { return quorvan::RunAction(app, index); }, help_file);
    });
  } catch (...) {
    std::fputs("quorvan: the settings sheet failed.\n", stderr);
    return quorvan::kExitActionFailed;
  }
}

extern "C" int QuorvanRunTerminalPrompt(int interface_version, quorvan::PromptDialog& dialog,
                                        quorvan::PromptAsker& asker) {
  try {
    if (interface_version != quorvan::kUserInterfaceVersion ||
        !quorvan::EnsureOffscreenQtApplication()) {
      return static_cast<int>(quorvan::LayoutPromptStatus::kNoQt);
    }
    return static_cast<int>(quorvan::RunTerminalPrompt(dialog, asker));
  } catch (...) {
    return static_cast<int>(quorvan::LayoutPromptStatus::kCancelled);
  }
}
