// The "Generator" page: the ten actions with the selected one's description.
// Committing the page runs the selected action; `action_result()` is then the
// sheet's result: 1 after a successful action, else 2.
#pragma once

#include <functional>
#include <memory>
#include <span>

#include "quorvan/action_table.h"
#include "settings/property_page.h"

namespace Ui {
class GeneratorPage;
}

class QListWidget;

namespace quorvan {

inline constexpr int kActionSucceeded = 1;
inline constexpr int kActionNotRun = 2;

class GeneratorPage : public settings::PropertyPage {
  Q_OBJECT

 public:
  using RunActionFunction = std::function<bool(int index)>;
  GeneratorPage(std::span<const ActionEntry> actions, RunActionFunction run_action,
                QWidget* parent = nullptr);
  ~GeneratorPage() override;

  void OnOK() override;
  int action_result() const { return action_result_; }
  // Whether a commit ran an action, and its outcome.
  bool action_ran() const { return action_ran_; }

  QListWidget* action_list() const;
  QString description() const;

 signals:
  // A double-click on an action: the sheet treats it as OK.
  void actionChosen();

 protected:
  void OnInitialize() override;

 private:
  void SelectionChanged();

  std::span<const ActionEntry> actions_;
  RunActionFunction run_action_;
  std::unique_ptr<Ui::GeneratorPage> ui_;
  int action_result_ = kActionNotRun;
  bool action_ran_ = false;
};

}  // namespace quorvan
