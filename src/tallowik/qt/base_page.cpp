#include "tallowik/qt/base_page.h"

#include "settings/property_sheet.h"
#include "settings/text_codec.h"
#include "tallowik/qt/category_dialog.h"
#include "ui_base_page.h"

namespace tallowik {

BasePage::BasePage(config::Settings& settings, QWidget* parent)
    : EditingPage(tr("Base Classes"), parent),
      settings_(settings),
      ui_(std::make_unique<Ui::BasePage>()) {
  ui_->setupUi(this);
  connect(ui_->addButton, &QPushButton::clicked, this, &BasePage::AddPressed);
  connect(ui_->changeButton, &QPushButton::clicked, this, &BasePage::ChangePressed);
  connect(ui_->deleteButton, &QPushButton::clicked, this, &BasePage::DeletePressed);
  connect(ui_->categoryList, &QListWidget::itemDoubleClicked, this, &BasePage::ChangePressed);
}

BasePage::~BasePage() = default;

QWidget* BasePage::FocusOnActivate() { return ui_->categoryList; }

int BasePage::selected_row() const {
  QListWidgetItem* item = ui_->categoryList->currentItem();
  return item && item->isSelected() ? ui_->categoryList->row(item) : -1;
}

void BasePage::SelectRow(int row) {
  ui_->categoryList->setCurrentRow(row);
  if (row < 0) ui_->categoryList->clearSelection();
}

void BasePage::Insert(BaseClassCategory category) {
  const std::size_t position = SortedPosition(categories_, category.name);
  ui_->categoryList->insertItem(static_cast<int>(position), settings::FromBytes(category.name));
  categories_.insert(categories_.begin() + static_cast<std::ptrdiff_t>(position),
                     std::move(category));
  SelectRow(static_cast<int>(position));
}

void BasePage::LoadControls() {
  ui_->categoryList->clear();
  categories_.clear();
  for (BaseClassCategory& category : LoadCategories(settings_)) Insert(std::move(category));
}

void BasePage::WriteControls() { SaveCategories(settings_, categories_); }

void BasePage::AddPressed() {
  CategoryDialog dialog(BaseClassCategory{}, this);
  settings::DialogHelpContext help(&dialog, kCategoryDialogHelpContext);
  if (dialog.exec() != QDialog::Accepted) return;
  Insert(dialog.values());
  UserEdited();
}

void BasePage::ChangePressed() {
  const int row = selected_row();
  if (row < 0) return;
  CategoryDialog dialog(categories_[static_cast<std::size_t>(row)], this);
  settings::DialogHelpContext help(&dialog, kCategoryDialogHelpContext);
  if (dialog.exec() != QDialog::Accepted) return;
  {
    const QSignalBlocker quiet(ui_->categoryList);
    delete ui_->categoryList->takeItem(row);
    categories_.erase(categories_.begin() + row);
  }
  Insert(dialog.values());
  UserEdited();
}

void BasePage::DeletePressed() {
  const int row = selected_row();
  if (row < 0) return;
  delete ui_->categoryList->takeItem(row);
  categories_.erase(categories_.begin() + row);
  const int count = static_cast<int>(categories_.size());
  SelectRow(count == 0 ? -1 : std::min(row, count - 1));
  UserEdited();
}

}  // namespace tallowik
