#include "quorvan/qt/prompt_dialog_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QResource>
#include <QScreen>
#include <QUiLoader>
#include <QVBoxLayout>
#include <algorithm>

#include "quorvan/qt/prompt_controls.h"
#include "settings/message_box.h"
#include "settings/text_codec.h"

namespace quorvan {
namespace {

using settings::FromBytes;
using settings::ToBytes;

// Adds the entries to a combo box or list and selects the first whose text equals
// `preselection` without regard to case, or the first entry.
void FillAndSelect(QWidget* widget, const PromptControl& control) {
  const QString wanted = FromBytes(control.preselection);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    for (const std::string& entry : control.entries) combo->addItem(FromBytes(entry));
    int index = wanted.isEmpty() ? -1 : combo->findText(wanted, Qt::MatchFixedString);
    if (combo->count() > 0) combo->setCurrentIndex(std::max(index, 0));
  } else if (auto* list = qobject_cast<QListView*>(widget)) {
    QAbstractItemModel* model = ListModel(list);
    for (const std::string& entry : control.entries) {
      int row = model->rowCount();
      if (!model->insertRow(row)) break;
      model->setData(model->index(row, 0), FromBytes(entry));
    }
    int chosen = 0;
    for (int row = 0; !wanted.isEmpty() && row < model->rowCount(); ++row) {
      if (model->index(row, 0).data().toString().compare(wanted, Qt::CaseInsensitive) == 0) {
        chosen = row;
        break;
      }
    }
    SelectListRow(list, chosen);
  }
}

}  // namespace

ResourceRegistration::ResourceRegistration(const QString& library_path) : path_(library_path) {
  registered_ = !path_.isEmpty() && QResource::registerResource(path_);
}

ResourceRegistration::~ResourceRegistration() {
  if (registered_) QResource::unregisterResource(path_);
}

PromptLayout::PromptLayout(int resource_id, QWidget* owner) {
  QFile file(QStringLiteral(":/dialogs/%1.ui").arg(resource_id));
  if (!file.open(QIODevice::ReadOnly)) return;
  QUiLoader loader;
  std::unique_ptr<QWidget> form(loader.load(&file));
  if (!form) return;
  if (qobject_cast<QDialog*>(form.get())) {
    dialog_.reset(static_cast<QDialog*>(form.release()));
    dialog_->setParent(owner, dialog_->windowFlags() | Qt::Dialog);
  } else {
    // A layout drawn as a plain widget is shown inside a dialog of its own.
    dialog_ = std::make_unique<QDialog>(owner);
    dialog_->setWindowTitle(form->windowTitle());
    auto* layout = new QVBoxLayout(dialog_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form.release());
  }
  Walk();
  ConnectButtons();
}

PromptLayout::~PromptLayout() = default;

void PromptLayout::Walk() {
  // Depth first, in child order: the order in which the layout creates its controls.
  std::vector<QWidget*> pending = LayoutChildren(dialog_.get());
  std::reverse(pending.begin(), pending.end());
  QWidget* pending_label = nullptr;
  while (!pending.empty()) {
    QWidget* widget = pending.back();
    pending.pop_back();
    order_.push_back(widget);
    std::vector<QWidget*> children = LayoutChildren(widget);
    pending.insert(pending.end(), children.rbegin(), children.rend());

    bool ok = false;
    int id = widget->property("controlId").toInt(&ok);
    if (ok) controls_.emplace(id, widget);

    ControlClass kind = Classify(widget);
    if (kind == ControlClass::kStatic) {
      pending_label = widget;
      continue;
    }
    if (HasLabel(kind) && pending_label) {
      labels_[widget] = pending_label;
      pending_label->setEnabled(false);
    }
    widget->setEnabled(kind == ControlClass::kOther);
    pending_label = nullptr;
  }
  // A label that names its control as buddy labels it wherever it stands.
  for (QLabel* label : dialog_->findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    if (buddy && HasLabel(Classify(buddy)) && !labels_.count(buddy)) {
      labels_[buddy] = label;
      label->setEnabled(false);
    }
  }
}

void PromptLayout::ConnectButtons() {
  QDialog* dialog = dialog_.get();
  for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>()) {
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  }
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
    if (button->objectName() == QLatin1String("IDOK")) {
      QObject::connect(button, &QAbstractButton::clicked, dialog, &QDialog::accept);
    } else if (button->objectName() == QLatin1String("IDCANCEL")) {
      QObject::connect(button, &QAbstractButton::clicked, dialog, &QDialog::reject);
    }
  }
}

QWidget* PromptLayout::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

QWidget* PromptLayout::Label(QWidget* control) const {
  auto it = labels_.find(control);
  return it == labels_.end() ? nullptr : it->second;
}

std::string PromptLayout::Section(QWidget* control) const {
  auto it = sections_.find(control);
  return it == sections_.end() ? std::string() : it->second;
}

std::vector<std::pair<int, QWidget*>> PromptLayout::Range(int start, int end) const {
  std::vector<std::pair<int, QWidget*>> range;
  if (start > end) return range;
  for (auto it = controls_.lower_bound(start); it != controls_.end() && it->first <= end; ++it) {
    range.emplace_back(*it);
  }
  return range;
}

void PromptLayout::Prepare(const PromptDialog& dialog) {
  using Kind = PromptControl::Kind;
  for (const PromptControl& control : dialog.controls) {
    if (control.kind == Kind::kRadio) {
      const long long selected =
          static_cast<long long>(control.start_id) + control.default_position;
      for (const auto& [id, widget] : Range(control.start_id, control.end_id)) {
        sections_.emplace(widget, control.section);
        Enable(widget);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
          SetExclusiveState(button, id == selected);
        }
      }
      continue;
    }
    QWidget* widget = control.kind == Kind::kIgnored ? nullptr : Control(control.control_id);
    if (!widget) continue;
    sections_.emplace(widget, control.section);
    switch (control.kind) {
      case Kind::kStatic:
        captions_.insert(widget);
        SetText(widget, FromBytes(control.default_text));
        Enable(widget);
        break;
      case Kind::kEdit:
        SetText(widget, FromBytes(control.default_text));
        Enable(widget);
        Enable(Label(widget));
        break;
      case Kind::kCombo:
      case Kind::kList:
        Enable(widget);
        Enable(Label(widget));
        FillAndSelect(widget, control);
        break;
      case Kind::kCheck:
        Enable(widget);
        break;
      case Kind::kIgnored:
      case Kind::kRadio:
        break;
    }
  }
}

void PromptLayout::ReadAnswers(PromptDialog& dialog) const {
  using Kind = PromptControl::Kind;
  for (PromptControl& control : dialog.controls) {
    control.found = false;
    control.text.clear();
    control.checked = false;
    control.selected_position = -1;
    if (control.kind == Kind::kRadio) {
      for (const auto& [id, widget] : Range(control.start_id, control.end_id)) {
        control.found = true;
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button && button->isChecked()) {
          control.selected_position =
              static_cast<int>(static_cast<long long>(id) - control.start_id);
          break;
        }
      }
      continue;
    }
    QWidget* widget = control.kind == Kind::kIgnored ? nullptr : Control(control.control_id);
    control.found = widget != nullptr;
    if (!widget) continue;
    if (control.kind == Kind::kList) {
      auto* list = qobject_cast<QListView*>(widget);
      auto* combo = qobject_cast<QComboBox*>(widget);
      control.text = ToBytes(list ? ListSelection(list) : combo ? combo->currentText() : QString());
    } else if (control.kind == Kind::kEdit || control.kind == Kind::kCombo) {
      control.text = ToBytes(Text(widget));
    } else if (control.kind == Kind::kCheck) {
      auto* button = qobject_cast<QAbstractButton*>(widget);
      control.checked = button && button->isChecked();
    }
  }
}

void PromptLayout::Centre(QWidget* owner) {
  dialog_->adjustSize();
  QRect area;
  if (owner) {
    area = owner->window()->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) dialog_->move(area.center() - dialog_->rect().center());
}

bool RunPromptDialog(PromptDialog& dialog, QWidget* owner) {
  // The library stays registered until the dialog, which may still read images from
  // it, is gone.
  ResourceRegistration registration(FromBytes(dialog.library_path));
  if (!registration.registered()) {
    settings::ShowMessage(
        owner, QStringLiteral("Unable to find resource DLL: ") + FromBytes(dialog.library_path));
    return false;
  }
  PromptLayout layout(dialog.resource_id, owner);
  if (!layout.dialog()) {
    settings::ShowMessage(owner, QStringLiteral("Unable to find Dialog resource"));
    return false;
  }
  layout.Prepare(dialog);
  layout.Centre(owner);
  if (layout.dialog()->exec() != QDialog::Accepted) return false;
  layout.ReadAnswers(dialog);
  return true;
}

}  // namespace quorvan
