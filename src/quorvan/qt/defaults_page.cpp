#include "quorvan/qt/defaults_page.h"

#include <string_view>

#include "engine/templates.h"
#include "quorvan/actions/filter_run.h"
#include "quorvan/actions/source_header_swap.h"
#include "settings/text_codec.h"
#include "ui_defaults_page.h"

namespace quorvan {
namespace {

using settings::FromBytes;
using settings::ToBytes;

constexpr std::string_view kSection = engine::kDefaultsSection;
constexpr std::string_view kAutoPaste = "Auto Paste";
constexpr std::string_view kMemberGrouping = "Member Grouping";

// The sheet proposes both swap groups; the action alone falls back to the first.
constexpr std::string_view kProposedSwapGroupings = "[CPP,H][C,H]";

struct TextSetting {
  QLineEdit* Ui::DefaultsPage::*edit;
  std::string_view name;
  std::string_view shown_when_absent;
};

const TextSetting kTextSettings[] = {
    {&Ui::DefaultsPage::userIdEdit, "User ID", ""},
    {&Ui::DefaultsPage::templatePathEdit, "Template Path", ""},
    {&Ui::DefaultsPage::companyNameEdit, "Company Name", ""},
    {&Ui::DefaultsPage::functionHeaderEdit, "Function Header File", "FCNHDR.CTL"},
    {&Ui::DefaultsPage::moduleHeaderEdit, "Module Header File", "MODHDR.CTL"},
    {&Ui::DefaultsPage::accessMemberEdit, "Access Member File", "ACCFCN.CTL"},
    {&Ui::DefaultsPage::commonStringsEdit, "Common Strings File", "COMMON.CTL"},
    {&Ui::DefaultsPage::redirectFilterEdit, kRedirectCommandLine, kDefaultRedirectCommandLine},
    {&Ui::DefaultsPage::fileFilterEdit, kFileCommandLine, kDefaultFileCommandLine},
    {&Ui::DefaultsPage::swapGroupsEdit, kSwapFileGroupings, kProposedSwapGroupings},
};

}  // namespace

DefaultsPage::DefaultsPage(config::Settings& settings, QWidget* parent)
    : EditingPage(tr("Defaults"), parent),
      settings_(settings),
      ui_(std::make_unique<Ui::DefaultsPage>()) {
  ui_->setupUi(this);
  for (const TextSetting& setting : kTextSettings) {
    connect(ui_.get()->*setting.edit, &QLineEdit::textChanged, this, &DefaultsPage::UserEdited);
  }
  for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui_->autoPasteCheck),
                                  static_cast<QAbstractButton*>(ui_->byActionRadio),
                                  static_cast<QAbstractButton*>(ui_->byVariableRadio)}) {
    connect(button, &QAbstractButton::clicked, this, &DefaultsPage::UserEdited);
  }
}

DefaultsPage::~DefaultsPage() = default;

QWidget* DefaultsPage::FocusOnActivate() { return ui_->userIdEdit; }

void DefaultsPage::LoadControls() {
  for (const TextSetting& setting : kTextSettings) {
    (ui_.get()->*setting.edit)
        ->setText(
            FromBytes(settings_.ReadSetting(kSection, setting.name, setting.shown_when_absent)));
  }
  const std::int32_t paste = settings_.ReadSettingNumber(kSection, kAutoPaste, 1);
  ui_->autoPasteCheck->setChecked(paste == 1);

  const std::int32_t grouping =
      settings_.ReadSettingNumber(kSection, kMemberGrouping, kGroupByAction);
  // A stored number that names neither button leaves both unchecked, which an
  // exclusive pair cannot show while it is exclusive.
  ui_->byActionRadio->setAutoExclusive(false);
  ui_->byVariableRadio->setAutoExclusive(false);
  ui_->byActionRadio->setChecked(grouping == kGroupByAction);
  ui_->byVariableRadio->setChecked(grouping == kGroupByVariable);
  ui_->byActionRadio->setAutoExclusive(true);
  ui_->byVariableRadio->setAutoExclusive(true);
}

void DefaultsPage::WriteControls() {
  for (const TextSetting& setting : kTextSettings) {
    settings_.WriteSetting(kSection, setting.name, ToBytes((ui_.get()->*setting.edit)->text()));
  }
  settings_.WriteSettingNumber(kSection, kAutoPaste, ui_->autoPasteCheck->isChecked() ? 1 : 0);
  int grouping = 0;
  if (ui_->byActionRadio->isChecked()) {
    grouping = kGroupByAction;
  } else if (ui_->byVariableRadio->isChecked()) {
    grouping = kGroupByVariable;
  }
  settings_.WriteSettingNumber(kSection, kMemberGrouping, grouping);
}

}  // namespace quorvan
