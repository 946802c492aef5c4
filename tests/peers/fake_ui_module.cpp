// A user-interface module without Qt, loaded by quorvan's module loader in tests:
// it logs each call to the file named by $FAKE_UI_LOG, answers Yes and confirms
// every form unchanged. It accepts only the interface version of this build.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "quorvan/qt_module.h"

namespace {

class LoggingUserInterface : public quorvan::UserInterface {
 public:
  void ShowMessage(std::string_view text) override { Log("message " + std::string(text)); }
  void Beep() override { Log("beep"); }
  bool AskYesNo(std::string_view text) override {
    Log("question " + std::string(text));
    return true;
  }
  bool RunForm(quorvan::Form& form) override {
    Log("form " + form.identifier);
    return true;
  }
  bool RunPrompt(quorvan::PromptDialog& dialog) override {
    Log("prompt " + std::to_string(dialog.resource_id));
    return true;
  }

 private:
  static void Log(const std::string& line) {
    const char* path = std::getenv("FAKE_UI_LOG");
    if (!path) return;
    if (std::FILE* file = std::fopen(path, "a")) {
      std::fprintf(file, "%s\n", line.c_str());
      std::fclose(file);
    }
  }
};

}  // namespace

extern "C" quorvan::UserInterface* QuorvanCreateQtUi(int interface_version) {
  if (interface_version != quorvan::kUserInterfaceVersion) return nullptr;
  return new LoggingUserInterface;
}
