// quorvan's settings sheet "Quorvane 1.0": the Generator, Defaults and
// Configurations pages. OK with the Generator page active runs the selected action
// before the other pages commit, so the action sees the settings as stored.
#pragma once

#include <span>

#include "config/settings.h"
#include "quorvan/qt/generator_page.h"
#include "settings/property_sheet.h"

namespace settings {
class ConfigPage;
}

namespace quorvan {

class DefaultsPage;

inline constexpr char kSheetTitle[] = "Quorvane 1.0";
inline constexpr int kChooserId = 101;
inline constexpr char kAboutMenuText[] = "&About Quorvane...";
// The help file beside the program, one anchor per context number.
inline constexpr char kHelpFileName[] = "quorvan.html";

class MainSheet : public settings::PropertySheet {
  Q_OBJECT

 public:
  MainSheet(config::Settings& settings, std::span<const ActionEntry> actions,
            GeneratorPage::RunActionFunction run_action, QWidget* parent = nullptr);

  GeneratorPage* generator_page() const { return generator_; }
  DefaultsPage* defaults_page() const { return defaults_; }
  settings::ConfigPage* config_page() const { return configurations_; }

  void OkPressed() override;
  // The about box, modal.
  void ShowAbout();

 private:
  GeneratorPage* generator_;
  DefaultsPage* defaults_;
  settings::ConfigPage* configurations_;
};

// Runs the sheet modally and returns quorvan's exit status for it: 1 after an action
// run from it failed, else 0.
int RunMainSheet(config::Settings& settings, std::span<const ActionEntry> actions,
                 GeneratorPage::RunActionFunction run_action, const QString& help_file);

}  // namespace quorvan
