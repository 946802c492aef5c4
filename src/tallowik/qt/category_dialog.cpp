#include "tallowik/qt/category_dialog.h"

#include <QFileDialog>

#include "settings/message_box.h"
#include "settings/text_codec.h"
#include "tallowik/qt/upper_case_validator.h"
#include "ui_category_dialog.h"

namespace tallowik {
namespace {

using settings::FromBytes;
using settings::ToBytes;

QString& Remembered() {
  static QString directory;
  return directory;
}

CategoryDialog::FileChooser& Chooser() {
  static CategoryDialog::FileChooser chooser;
  return chooser;
}

QString ChooseWithDialog(QWidget* parent, const QString& directory, const QString& filter,
                         const QString& suffix) {
  QFileDialog dialog(parent, QString(), directory);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(filter.split(";;"));
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace

CategoryDialog::CategoryDialog(const BaseClassCategory& initial, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CategoryDialog>()) {
  ui_->setupUi(this);
  ui_->headerTemplateEdit->setValidator(new UpperCaseValidator(this));
  ui_->sourceTemplateEdit->setValidator(new UpperCaseValidator(this));
  ui_->nameEdit->setText(FromBytes(initial.name));
  ui_->baseClassEdit->setText(FromBytes(initial.base_class));
  ui_->promptEdit->setText(FromBytes(initial.specific_prompt));
  ui_->headerTemplateEdit->setText(FromBytes(initial.header_template).toUpper());
  ui_->sourceTemplateEdit->setText(FromBytes(initial.source_template).toUpper());
  ui_->addToClwCheck->setChecked(initial.add_to_clw);
  connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &CategoryDialog::accept);
  connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &CategoryDialog::reject);
  connect(ui_->headerBrowseButton, &QPushButton::clicked, this, &CategoryDialog::BrowseHeader);
  connect(ui_->sourceBrowseButton, &QPushButton::clicked, this, &CategoryDialog::BrowseSource);
}

CategoryDialog::~CategoryDialog() = default;

BaseClassCategory CategoryDialog::values() const {
  if (accepted_set_) return accepted_;
  BaseClassCategory category;
  category.name = ToBytes(ui_->nameEdit->text());
  category.base_class = ToBytes(ui_->baseClassEdit->text());
  category.specific_prompt = ToBytes(ui_->promptEdit->text());
  category.header_template = ToBytes(ui_->headerTemplateEdit->text());
  category.source_template = ToBytes(ui_->sourceTemplateEdit->text());
  category.add_to_clw = ui_->addToClwCheck->isChecked();
  return category;
}

void CategoryDialog::accept() {
  const BaseClassCategory typed = values();
  const CategoryCheck check = CheckCategory(typed);
  QLineEdit* field = nullptr;
  switch (check.field) {
    case CategoryCheck::Field::kName:
      field = ui_->nameEdit;
      break;
    case CategoryCheck::Field::kHeaderTemplate:
      field = ui_->headerTemplateEdit;
      break;
    case CategoryCheck::Field::kSourceTemplate:
      field = ui_->sourceTemplateEdit;
      break;
    case CategoryCheck::Field::kBaseClass:
      field = ui_->baseClassEdit;
      break;
    case CategoryCheck::Field::kNone:
      break;
  }
  if (check.outcome == CategoryCheck::Outcome::kRefuse) {
    settings::ShowMessage(this, FromBytes(check.message));
    field->setFocus();
    return;
  }
  if (check.outcome == CategoryCheck::Outcome::kAskAboutBaseClass &&
      !settings::AskYesNo(this, FromBytes(check.message))) {
    field->setFocus();
    return;
  }
  accepted_ = FinishCategory(typed);
  accepted_set_ = true;
  QDialog::accept();
}

void CategoryDialog::BrowseHeader() { Browse(true); }
void CategoryDialog::BrowseSource() { Browse(false); }

void CategoryDialog::Browse(bool header) {
  const QString filter = header ? tr("Header Files (*.h *.hpp);;All Files (*)")
                                : tr("Source Files (*.cpp);;All Files (*)");
  const QString suffix = header ? "h" : "cpp";
  const FileChooser& chooser = Chooser();
  const QString path = chooser ? chooser(this, Remembered(), filter, suffix)
                               : ChooseWithDialog(this, Remembered(), filter, suffix);
  if (path.isEmpty()) return;
  Remembered() = FromBytes(DirectoryOf(ToBytes(path)));
  QLineEdit* chosen = header ? ui_->headerTemplateEdit : ui_->sourceTemplateEdit;
  QLineEdit* other = header ? ui_->sourceTemplateEdit : ui_->headerTemplateEdit;
  const BrowsedTemplate result =
      BrowseResult(ToBytes(path), ToBytes(other->text()), header ? ".CPP" : ".H");
  chosen->setText(FromBytes(result.chosen).toUpper());
  if (!result.other.empty()) other->setText(FromBytes(result.other).toUpper());
}

void CategoryDialog::SetFileChooser(FileChooser chooser) { Chooser() = std::move(chooser); }
QString CategoryDialog::RememberedDirectory() { return Remembered(); }
void CategoryDialog::ForgetDirectory() { Remembered().clear(); }

}  // namespace tallowik
