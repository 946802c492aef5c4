// tallowik's "Defaults" page: user, search path, company and the project string
// file, all text in subsection "Defaults" of the configuration in force.
#pragma once

#include <memory>

#include "config/settings.h"
#include "settings/property_page.h"

namespace Ui {
class DefaultsPage;
}

namespace tallowik {

class DefaultsPage : public settings::EditingPage {
  Q_OBJECT

 public:
  explicit DefaultsPage(config::Settings& settings, QWidget* parent = nullptr);
  ~DefaultsPage() override;

 protected:
  void LoadControls() override;
  void WriteControls() override;
  QWidget* FocusOnActivate() override;

 private:
  config::Settings& settings_;
  std::unique_ptr<Ui::DefaultsPage> ui_;
};

}  // namespace tallowik
