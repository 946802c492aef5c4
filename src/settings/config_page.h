// The "Configurations" page: the sorted list of the user's configuration names
// ("Default" is not among them), with Add and Delete. Committing writes the list
// and refills the sheet's chooser.
#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "config/settings.h"
#include "settings/property_page.h"

namespace Ui {
class ConfigPage;
}

namespace settings {

class ConfigPage : public EditingPage {
  Q_OBJECT

 public:
  // `committed` runs after the list has been written (the sheet's
  // FillConfigurationChooser).
  ConfigPage(config::Settings& settings, std::function<void()> committed,
             QWidget* parent = nullptr);
  ~ConfigPage() override;

  // The names as listed.
  QStringList names() const;

  bool IsPageClean() const override { return true; }
  void ReloadPage() override {}

  void AddPressed();
  void DeletePressed();
  // Adds `name` unless a listed name begins with it (letter case ignored).
  void AddName(const QString& name);
  // The help context of the Add Configuration dialog while it is shown; 0: none.
  void SetDialogHelpContext(int context) { dialog_help_context_ = context; }

 protected:
  void LoadControls() override;
  void WriteControls() override;

 private:
  config::Settings& settings_;
  std::function<void()> committed_;
  std::unique_ptr<Ui::ConfigPage> ui_;
  int dialog_help_context_ = 0;
};

}  // namespace settings
