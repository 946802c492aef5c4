#include "quorvan/qt/form_generic_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/text_codec.h"

namespace quorvan {
namespace {

void AddLabel(QVBoxLayout* layout, const std::string& text, QWidget* buddy) {
  if (text.empty()) return;
  auto* label = new QLabel(settings::FromBytes(text));
  label->setBuddy(buddy);
  layout->addWidget(label);
}

}  // namespace

GenericFormDialog::GenericFormDialog(Form& form, QWidget* parent) : FormDialog(form, parent) {
  auto* layout = new QVBoxLayout(this);
  std::vector<FieldWidgets> widgets(form.fields.size());
  for (std::size_t i = 0; i < form.fields.size(); ++i) {
    const FormField& field = form.fields[i];
    const QString name = QStringLiteral("field%1").arg(i);
    switch (field.kind) {
      case FormField::Kind::kEdit: {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setMinimumWidth(300);
        AddLabel(layout, field.label, edit);
        layout->addWidget(edit);
        widgets[i].edit = edit;
        break;
      }
      case FormField::Kind::kRadioGroup: {
        auto* group = new QGroupBox(settings::FromBytes(field.label));
        group->setObjectName(name);
        auto* group_layout = new QVBoxLayout(group);
        for (std::size_t j = 0; j < field.choices.size(); ++j) {
          auto* button = new QRadioButton(settings::FromBytes(field.choices[j]));
          button->setObjectName(QStringLiteral("%1choice%2").arg(name).arg(j));
          group_layout->addWidget(button);
          widgets[i].radios.push_back(button);
        }
        layout->addWidget(group);
        break;
      }
      case FormField::Kind::kList: {
        auto* list = new QListWidget;
        list->setObjectName(name);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        AddLabel(layout, field.label, list);
        layout->addWidget(list);
        widgets[i].list = list;
        break;
      }
      case FormField::Kind::kCheckBox: {
        auto* check = new QCheckBox(settings::FromBytes(field.label));
        check->setObjectName(name);
        layout->addWidget(check);
        widgets[i].check = check;
        break;
      }
    }
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->setObjectName("buttonBox");
  layout->addWidget(buttons);
  Bind(std::move(widgets), buttons);
}

}  // namespace quorvan
