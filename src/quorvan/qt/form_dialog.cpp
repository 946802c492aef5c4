#include "quorvan/qt/form_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "settings/message_box.h"
#include "settings/text_codec.h"

namespace quorvan {
namespace {

using Kind = FormField::Kind;

bool InRange(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

void Preset(const FormField& field, const FieldWidgets& widgets) {
  switch (field.kind) {
    case Kind::kEdit:
      if (widgets.edit) widgets.edit->setText(settings::FromBytes(field.text));
      break;
    case Kind::kRadioGroup:
      // Exclusive buttons cannot all be cleared, so exclusiveness is lifted while
      // presetting: a group without a valid preset shows nothing chosen.
      for (std::size_t i = 0; i < widgets.radios.size(); ++i) {
        QRadioButton* button = widgets.radios[i];
        button->setAutoExclusive(false);
        button->setChecked(static_cast<int>(i) == field.selected);
        button->setAutoExclusive(true);
      }
      break;
    case Kind::kList:
      if (!widgets.list) break;
      widgets.list->clear();
      for (const std::string& choice : field.choices) {
        widgets.list->addItem(settings::FromBytes(choice));
      }
      if (InRange(field.selected, field.choices.size())) {
        widgets.list->setCurrentRow(field.selected);
      } else {
        widgets.list->setCurrentRow(-1);
        widgets.list->clearSelection();
      }
      break;
    case Kind::kCheckBox:
      if (widgets.check) widgets.check->setChecked(field.checked);
      break;
  }
}

void Read(const FieldWidgets& widgets, FormField& field) {
  switch (field.kind) {
    case Kind::kEdit:
      if (widgets.edit) field.text = settings::ToBytes(widgets.edit->text());
      break;
    case Kind::kRadioGroup:
      field.selected = -1;
      for (std::size_t i = 0; i < widgets.radios.size(); ++i) {
        if (widgets.radios[i]->isChecked()) {
          field.selected = static_cast<int>(i);
          break;
        }
      }
      break;
    case Kind::kList: {
      if (!widgets.list) break;
      // Only a selected entry counts: the current row alone may be a mere focus mark.
      const QList<QListWidgetItem*> items = widgets.list->selectedItems();
      field.selected = items.isEmpty() ? -1 : widgets.list->row(items.front());
      break;
    }
    case Kind::kCheckBox:
      if (widgets.check) field.checked = widgets.check->isChecked();
      break;
  }
}

void Focus(const FieldWidgets& widgets) {
  if (widgets.edit) {
    widgets.edit->setFocus(Qt::OtherFocusReason);
    widgets.edit->selectAll();
  } else if (!widgets.radios.empty()) {
    QRadioButton* target = widgets.radios.front();
    for (QRadioButton* button : widgets.radios) {
      if (button->isChecked()) target = button;
    }
    target->setFocus(Qt::OtherFocusReason);
  } else if (widgets.list) {
    widgets.list->setFocus(Qt::OtherFocusReason);
  } else if (widgets.check) {
    widgets.check->setFocus(Qt::OtherFocusReason);
  }
}

}  // namespace

FormDialog::FormDialog(Form& form, QWidget* parent) : QDialog(parent), form_(form) {
  setModal(true);
}

FormDialog::~FormDialog() = default;

void FormDialog::Bind(std::vector<FieldWidgets> widgets, QDialogButtonBox* buttons) {
  widgets_ = std::move(widgets);
  widgets_.resize(form_.fields.size());
  if (!form_.title.empty()) setWindowTitle(settings::FromBytes(form_.title));
  for (std::size_t i = 0; i < widgets_.size(); ++i) {
    Preset(form_.fields[i], widgets_[i]);
    if (QListWidget* list = widgets_[i].list) {
      connect(list, &QListWidget::itemDoubleClicked, this, &FormDialog::accept);
    }
  }
  if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &FormDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &FormDialog::reject);
}

void FormDialog::accept() {
  Form working = form_;
  for (std::size_t i = 0; i < widgets_.size(); ++i) Read(widgets_[i], working.fields[i]);
  // In field order, like every other implementation: a validator may have side
  // effects (the filter's stores the remembered values) and must see the same calls.
  for (std::size_t i = 0; i < working.fields.size(); ++i) {
    if (std::optional<std::string> message = working.Check(i)) {
      settings::ShowMessage(this, settings::FromBytes(*message));
      Focus(widgets_[i]);
      return;
    }
  }
  form_ = std::move(working);
  QDialog::accept();
}

}  // namespace quorvan
