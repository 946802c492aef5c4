// The "Base Classes" page (`CBasePage`): the sorted list of the configuration's
// base-class categories, edited in memory and written, renumbered in name order, by
// the page's commit.
#pragma once

#include <memory>
#include <vector>

#include "config/settings.h"
#include "settings/property_page.h"
#include "tallowik/categories.h"

namespace Ui {
class BasePage;
}

namespace tallowik {

inline constexpr int kCategoryDialogHelpContext = 257;

class BasePage : public settings::EditingPage {
  Q_OBJECT

 public:
  explicit BasePage(config::Settings& settings, QWidget* parent = nullptr);
  ~BasePage() override;

  // The entries in list order.
  const std::vector<BaseClassCategory>& categories() const { return categories_; }
  int selected_row() const;
  void SelectRow(int row);

  void AddPressed();
  void ChangePressed();
  void DeletePressed();

 protected:
  void LoadControls() override;
  void WriteControls() override;
  QWidget* FocusOnActivate() override;

 private:
  // Adds `category` at its sorted place and selects it.
  void Insert(BaseClassCategory category);

  config::Settings& settings_;
  std::unique_ptr<Ui::BasePage> ui_;
  std::vector<BaseClassCategory> categories_;
};

}  // namespace tallowik
