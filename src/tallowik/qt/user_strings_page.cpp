#include "tallowik/qt/user_strings_page.h"

#include <QFontMetrics>

#include "settings/property_sheet.h"
#include "settings/text_codec.h"
#include "tallowik/qt/replacement_dialog.h"
#include "ui_user_strings_page.h"

namespace tallowik {
namespace {

// The "With" column starts 110 dialog units in: a dialog unit is a quarter of the
// average character width.
constexpr int kHolderColumnDialogUnits = 110;

}  // namespace

UserStringsPage::UserStringsPage(config::Settings& settings, QWidget* parent)
    : EditingPage(tr("User Strings"), parent),
      settings_(settings),
      ui_(std::make_unique<Ui::UserStringsPage>()) {
  ui_->setupUi(this);
  QTreeWidget* list = ui_->userStringList;
  list->setColumnWidth(0, kHolderColumnDialogUnits * list->fontMetrics().averageCharWidth() / 4);
  connect(ui_->upButton, &QPushButton::clicked, this, &UserStringsPage::UpPressed);
  connect(ui_->downButton, &QPushButton::clicked, this, &UserStringsPage::DownPressed);
  connect(ui_->addButton, &QPushButton::clicked, this, &UserStringsPage::AddPressed);
  connect(ui_->changeButton, &QPushButton::clicked, this, &UserStringsPage::ChangePressed);
  connect(ui_->deleteButton, &QPushButton::clicked, this, &UserStringsPage::DeletePressed);
  connect(list, &QTreeWidget::itemDoubleClicked, this, &UserStringsPage::ChangePressed);
  connect(list, &QTreeWidget::itemSelectionChanged, this, &UserStringsPage::UpdateButtons);
}

UserStringsPage::~UserStringsPage() = default;

QWidget* UserStringsPage::FocusOnActivate() { return ui_->userStringList; }

QString UserStringsPage::ShownText(int row) const {
  QTreeWidgetItem* item = ui_->userStringList->topLevelItem(row);
  return item ? item->text(0) + "\t" + item->text(1) : QString();
}

int UserStringsPage::selected_row() const {
  QTreeWidgetItem* item = ui_->userStringList->currentItem();
  return item && item->isSelected() ? ui_->userStringList->indexOfTopLevelItem(item) : -1;
}

void UserStringsPage::SelectRow(int row) {
  QTreeWidget* list = ui_->userStringList;
  if (QTreeWidgetItem* item = list->topLevelItem(row)) {
    list->setCurrentItem(item);
    item->setSelected(true);
  } else {
    list->setCurrentItem(nullptr);
    list->clearSelection();
  }
  UpdateButtons();
}

void UserStringsPage::InsertEntry(int row, UserStringPair pair) {
  auto* item = new QTreeWidgetItem;
  item->setText(0, settings::FromBytes(ShownHolder(pair.replace)));
  item->setText(1, settings::FromBytes(pair.with));
  ui_->userStringList->insertTopLevelItem(row, item);
  pairs_.insert(pairs_.begin() + row, std::move(pair));
}

void UserStringsPage::RemoveEntry(int row) {
  delete ui_->userStringList->takeTopLevelItem(row);
  pairs_.erase(pairs_.begin() + row);
}

void UserStringsPage::UpdateButtons() {
  const int row = selected_row();
  const int count = static_cast<int>(pairs_.size());
  ui_->upButton->setEnabled(CanMoveUp(row, count));
  ui_->downButton->setEnabled(CanMoveDown(row, count));
}

void UserStringsPage::LoadControls() {
  ui_->userStringList->clear();
  pairs_.clear();
  for (UserStringPair& pair : LoadUserStrings(settings_)) {
    InsertEntry(static_cast<int>(pairs_.size()), std::move(pair));
  }
  UpdateButtons();
}

void UserStringsPage::WriteControls() { SaveUserStrings(settings_, pairs_); }

void UserStringsPage::AddPressed() {
  ReplacementDialog dialog(UserStringPair{}, this);
  settings::DialogHelpContext help(&dialog, kReplacementDialogHelpContext);
  if (dialog.exec() != QDialog::Accepted) return;
  const int row = static_cast<int>(pairs_.size());
  InsertEntry(row, dialog.pair());
  SelectRow(row);
  UserEdited();
}

void UserStringsPage::ChangePressed() {
  const int row = selected_row();
  if (row < 0) return;
  ReplacementDialog dialog(pairs_[static_cast<std::size_t>(row)], this);
  settings::DialogHelpContext help(&dialog, kReplacementDialogHelpContext);
  if (dialog.exec() != QDialog::Accepted) return;
  {
    const QSignalBlocker quiet(ui_->userStringList);
    RemoveEntry(row);
    InsertEntry(row, dialog.pair());
  }
  SelectRow(row);
  UserEdited();
}

void UserStringsPage::DeletePressed() {
  const int row = selected_row();
  if (row < 0) return;
  {
    const QSignalBlocker quiet(ui_->userStringList);
    RemoveEntry(row);
  }
  const int count = static_cast<int>(pairs_.size());
  SelectRow(count == 0 ? -1 : std::min(row, count - 1));
  UserEdited();
}

void UserStringsPage::Move(int step) {
  const int row = selected_row();
  const int count = static_cast<int>(pairs_.size());
  if (step < 0 ? !CanMoveUp(row, count) : !CanMoveDown(row, count)) return;
  {
    const QSignalBlocker quiet(ui_->userStringList);
    UserStringPair pair = pairs_[static_cast<std::size_t>(row)];
    RemoveEntry(row);
    InsertEntry(row + step, std::move(pair));
  }
  SelectRow(row + step);
  UserEdited();
}

void UserStringsPage::UpPressed() { Move(-1); }
void UserStringsPage::DownPressed() { Move(1); }

}  // namespace tallowik
