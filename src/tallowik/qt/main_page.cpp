#include "tallowik/qt/main_page.h"

#include "settings/message_box.h"
#include "settings/text_codec.h"
#include "tallowik/qt/upper_case_validator.h"
#include "ui_main_page.h"

namespace tallowik {
namespace {

using settings::FromBytes;
using settings::ToBytes;

void SetTextIfChanged(QLineEdit* edit, const std::string& text) {
  const QString shown = FromBytes(text);
  if (edit->text() != shown) edit->setText(shown);
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& items, const std::string& text) {
  combo->clear();
  for (const std::string& item : items) combo->addItem(FromBytes(item));
  const QString shown = FromBytes(text);
  combo->setCurrentIndex(combo->findText(shown, Qt::MatchFixedString | Qt::MatchCaseSensitive));
  combo->setEditText(shown);
}

}  // namespace

MainPage::MainPage(config::Settings& settings, const engine::Clock& clock, platform::DdeClient& dde,
                   ProjectArguments project, QWidget* parent)
    : PropertyPage(tr("Generator"), parent),
      settings_(settings),
      clock_(clock),
      dde_(dde),
      model_(settings, std::move(project)),
      messages_(this),
      ui_(std::make_unique<Ui::MainPage>()) {
  ui_->setupUi(this);
  ui_->headerFileEdit->setValidator(new UpperCaseValidator(this));
  ui_->sourceFileEdit->setValidator(new UpperCaseValidator(this));

  connect(ui_->classNameEdit, &QLineEdit::textChanged, this, &MainPage::ClassNameEdited);
  auto follow = [this](QLineEdit* edit, std::string MainPageValues::*field) {
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
      if (!showing_) model_.values().*field = ToBytes(text);
    });
  };
  follow(ui_->classSpecificEdit, &MainPageValues::class_specific);
  follow(ui_->headerFileEdit, &MainPageValues::header_file);
  follow(ui_->sourceFileEdit, &MainPageValues::source_file);
  follow(ui_->descriptionEdit, &MainPageValues::description);
  auto follow_combo = [this](QComboBox* combo, std::string MainPageValues::*field) {
    connect(combo, &QComboBox::currentTextChanged, this, [this, field](const QString& text) {
      if (!showing_) model_.values().*field = ToBytes(text);
    });
  };
  follow_combo(ui_->baseClassCombo, &MainPageValues::base_class);
  follow_combo(ui_->resourceCombo, &MainPageValues::resource);
  connect(ui_->categoryCombo, &QComboBox::currentIndexChanged, this, &MainPage::CategoryChosen);
  connect(ui_->addToClwCheck, &QCheckBox::toggled, this, [this](bool checked) {
    if (!showing_) model_.values().add_to_clw = checked;
  });
}

MainPage::~MainPage() = default;

void MainPage::OnInitialize() {
  model_.SetUp();
  ShowModel();
}

void MainPage::ShowModel() {
  showing_ = true;
  const MainPageValues& v = model_.values();
  SetTextIfChanged(ui_->classNameEdit, v.class_name);
  SetTextIfChanged(ui_->classSpecificEdit, v.class_specific);
  SetTextIfChanged(ui_->headerFileEdit, v.header_file);
  SetTextIfChanged(ui_->sourceFileEdit, v.source_file);
  SetTextIfChanged(ui_->descriptionEdit, v.description);
  ui_->categoryCombo->clear();
  for (const CategoryEntry& entry : v.categories) {
    ui_->categoryCombo->addItem(FromBytes(entry.name), entry.number);
  }
  ui_->categoryCombo->setCurrentIndex(v.category_index);
  FillCombo(ui_->baseClassCombo, v.base_classes, v.base_class);
  FillCombo(ui_->resourceCombo, v.resources, v.resource);
  ui_->specificLabel->setText(FromBytes(v.specific_label));
  ui_->addToClwCheck->setChecked(v.add_to_clw);
  ui_->addToClwCheck->setEnabled(v.add_to_clw_enabled);
  showing_ = false;
}

void MainPage::ClassNameEdited(const QString& text) {
  if (showing_) return;
  model_.SetClassName(ToBytes(text));
  ShowModel();
  SetModified(model_.changed());
}

void MainPage::CategoryChosen(int index) {
  if (showing_) return;
  model_.SelectCategory(index);
  ShowModel();
}

void MainPage::OnSetActive() {
  model_.Activate();
  ShowModel();
  ui_->classNameEdit->setFocus();
  SetModified(model_.changed());
}

bool MainPage::OnKillActive() {
  const bool leave = model_.Leave([this](std::string_view question) {
    return settings::AskOkCancel(this, FromBytes(question));
  });
  SetModified(model_.changed());
  return leave;
}

void MainPage::OnOK() {
  ClassGenerator generator(settings_, clock_, messages_, dde_);
  const std::optional<GenerationResult> result = model_.Commit(generator);
  generation_failed_ = result && (*result == GenerationResult::kHeaderFailed ||
                                  *result == GenerationResult::kSourceFailed);
  SetModified(model_.changed());
}

void MainPage::ReloadPage() {
  model_.Reload();
  ShowModel();
  SetModified(false);
}

}  // namespace tallowik
