// The "User Strings" page (`CUserStringsPage`): the ordered replacement pairs of the
// configuration in force, shown as "Replace" and "With" columns.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "config/settings.h"
#include "settings/property_page.h"
#include "tallowik/user_strings.h"

namespace Ui {
class UserStringsPage;
}

namespace tallowik {

inline constexpr int kReplacementDialogHelpContext = 259;

class UserStringsPage : public settings::EditingPage {
  Q_OBJECT

 public:
  explicit UserStringsPage(config::Settings& settings, QWidget* parent = nullptr);
  ~UserStringsPage() override;

  const std::vector<UserStringPair>& pairs() const { return pairs_; }
  // Entry `row` as the list shows it: the holder column, a tab, the "With" column.
  QString ShownText(int row) const;
  int selected_row() const;
  void SelectRow(int row);

  void UpPressed();
  void DownPressed();
  void AddPressed();
  void ChangePressed();
  void DeletePressed();

 protected:
  void LoadControls() override;
  void WriteControls() override;
  QWidget* FocusOnActivate() override;

 private:
  void InsertEntry(int row, UserStringPair pair);
  void RemoveEntry(int row);
  void UpdateButtons();
  void Move(int step);

  config::Settings& settings_;
  std::unique_ptr<Ui::UserStringsPage> ui_;
  std::vector<UserStringPair> pairs_;
};

}  // namespace tallowik
