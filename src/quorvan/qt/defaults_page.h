// quorvan's "Defaults" page: user, company, search path, the control files, the
// filter command templates, the swap groups, Auto Paste and the access grouping,
// all in subsection "Defaults" of the configuration in force.
#pragma once

#include <memory>

#include "config/settings.h"
#include "settings/property_page.h"

namespace Ui {
class DefaultsPage;
}

namespace quorvan {

// The "Member Grouping" values: the identifiers of the two radio buttons.
inline constexpr int kGroupByAction = 1002;
inline constexpr int kGroupByVariable = 1003;

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

}  // namespace quorvan
