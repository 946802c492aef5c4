// tallowik's sheet "Tallowick 1.5": the Generator, Base Classes, Defaults, User
// Strings and Configurations pages. OK commits every page from the first, whichever
// is active, so a pending generation runs with the settings as stored before this OK.
#pragma once

#include "config/settings.h"
#include "settings/property_sheet.h"
#include "tallowik/qt_module.h"

namespace settings {
class ConfigPage;
}

namespace tallowik {

class BasePage;
class DefaultsPage;
class MainPage;
class UserStringsPage;

inline constexpr char kSheetTitle[] = "Tallowick 1.5";
inline constexpr int kChooserId = 1091;
inline constexpr char kAboutMenuText[] = "About...";
inline constexpr int kAddConfigurationHelpContext = 258;
// The help file beside the program, one anchor per context number.
inline constexpr char kHelpFileName[] = "tallowik.html";

class MainSheet : public settings::PropertySheet {
  Q_OBJECT

 public:
  MainSheet(config::Settings& settings, const engine::Clock& clock, platform::DdeClient& dde,
            ProjectArguments project, QWidget* parent = nullptr);

  MainPage* main_page() const { return main_; }
  BasePage* base_page() const { return base_; }
  DefaultsPage* defaults_page() const { return defaults_; }
  UserStringsPage* user_strings_page() const { return user_strings_; }
  settings::ConfigPage* config_page() const { return configurations_; }

  void OkPressed() override;
  // The about box, modal.
  void ShowAbout();

 private:
  MainPage* main_;
  BasePage* base_;
  DefaultsPage* defaults_;
  UserStringsPage* user_strings_;
  settings::ConfigPage* configurations_;
};

// Runs the sheet modally; tallowik's exit status for it: 1 when a generation run
// from it failed with a message, else 0.
int RunMainSheet(SheetRun& run);

}  // namespace tallowik
