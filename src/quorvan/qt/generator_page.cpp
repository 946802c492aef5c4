#include "quorvan/qt/generator_page.h"

#include "settings/text_codec.h"
#include "ui_generator_page.h"

namespace quorvan {

GeneratorPage::GeneratorPage(std::span<const ActionEntry> actions, RunActionFunction run_action,
                             QWidget* parent)
    : PropertyPage(tr("Generator"), parent),
      actions_(actions),
      run_action_(std::move(run_action)),
      ui_(std::make_unique<Ui::GeneratorPage>()) {
  ui_->setupUi(this);
  connect(ui_->actionList, &QListWidget::currentRowChanged, this, &GeneratorPage::SelectionChanged);
  connect(ui_->actionList, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem*) { emit actionChosen(); });
}

GeneratorPage::~GeneratorPage() = default;

QListWidget* GeneratorPage::action_list() const { return ui_->actionList; }

QString GeneratorPage::description() const { return ui_->descriptionText->text(); }

void GeneratorPage::OnInitialize() {
  for (const ActionEntry& action : actions_) {
    ui_->actionList->addItem(settings::FromBytes(action.name));
  }
  if (!actions_.empty()) ui_->actionList->setCurrentRow(0);
  ui_->actionList->setFocus();
}

void GeneratorPage::SelectionChanged() {
  const int row = ui_->actionList->currentRow();
  if (row < 0 || row >= static_cast<int>(actions_.size())) return;
  ui_->descriptionText->setText(
      settings::FromBytes(actions_[static_cast<std::size_t>(row)].description));
}

void GeneratorPage::OnOK() {
  const int row = ui_->actionList->currentRow();
  action_ran_ = true;
  if (run_action_ && run_action_(row)) action_result_ = kActionSucceeded;
}

}  // namespace quorvan
