#include "tallowik/qt/defaults_page.h"

#include <string_view>

#include "settings/text_codec.h"
#include "ui_defaults_page.h"

namespace tallowik {
namespace {

constexpr std::string_view kSection = "Defaults";

struct TextSetting {
  QLineEdit* Ui::DefaultsPage::*edit;
  std::string_view name;
};

const TextSetting kTextSettings[] = {
    {&Ui::DefaultsPage::userIdEdit, "User ID"},
    {&Ui::DefaultsPage::templatePathEdit, "Template Path"},
    {&Ui::DefaultsPage::companyNameEdit, "Company Name"},
    {&Ui::DefaultsPage::projectStringEdit, "Project String File Name"},
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
}

DefaultsPage::~DefaultsPage() = default;

QWidget* DefaultsPage::FocusOnActivate() { return ui_->userIdEdit; }

void DefaultsPage::LoadControls() {
  for (const TextSetting& setting : kTextSettings) {
    (ui_.get()->*setting.edit)
        ->setText(settings::FromBytes(settings_.ReadSetting(kSection, setting.name, "")));
  }
}

void DefaultsPage::WriteControls() {
  for (const TextSetting& setting : kTextSettings) {
    settings_.WriteSetting(kSection, setting.name,
                           settings::ToBytes((ui_.get()->*setting.edit)->text()));
  }
}

}  // namespace tallowik
