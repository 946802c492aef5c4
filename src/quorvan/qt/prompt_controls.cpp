#include "quorvan/qt/prompt_controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringListModel>
#include <QTextEdit>
#include <algorithm>

namespace quorvan {

ControlClass Classify(const QWidget* widget) {
  if (qobject_cast<const QLabel*>(widget)) return ControlClass::kStatic;
  if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
      qobject_cast<const QPlainTextEdit*>(widget)) {
    return ControlClass::kEdit;
  }
  if (qobject_cast<const QComboBox*>(widget)) return ControlClass::kComboBox;
  if (qobject_cast<const QListView*>(widget)) return ControlClass::kListBox;
  if (qobject_cast<const QRadioButton*>(widget) || qobject_cast<const QCheckBox*>(widget)) {
    return ControlClass::kAutoButton;
  }
  return ControlClass::kOther;
}

bool HasLabel(ControlClass kind) {
  return kind == ControlClass::kEdit || kind == ControlClass::kComboBox ||
         kind == ControlClass::kListBox;
}

std::vector<QWidget*> LayoutChildren(QWidget* widget) {
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->lineEdit()) return {combo->lineEdit()};
    return {};
  }
  if (qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QTextEdit*>(widget) ||
      qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
      qobject_cast<QLineEdit*>(widget)) {
    return {};
  }
  std::vector<QWidget*> children;
  for (QObject* child : widget->children()) {
    auto* child_widget = qobject_cast<QWidget*>(child);
    if (child_widget && !child_widget->isWindow()) children.push_back(child_widget);
  }
  return children;
}

void Enable(QWidget* widget) {
  if (!widget) return;
  widget->setEnabled(true);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->lineEdit()) combo->lineEdit()->setEnabled(true);
  }
}

void SetText(QWidget* widget, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    line->setText(text);
  } else if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
    edit->setPlainText(text);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
    plain->setPlainText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->isEditable()) combo->setEditText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(text);
  }
}

QAbstractItemModel* ListModel(QListView* list) {
  if (!list->model()) list->setModel(new QStringListModel(list));
  return list->model();
}

QString ListSelection(const QListView* list) {
  if (!list->model() || !list->selectionModel()) return QString();
  QModelIndexList selected = list->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return QString();
  auto first = std::min_element(
      selected.begin(), selected.end(),
      [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  return first->data(Qt::DisplayRole).toString();
}

QString Text(const QWidget* widget) {
  if (auto* line = qobject_cast<const QLineEdit*>(widget)) return line->text();
  if (auto* edit = qobject_cast<const QTextEdit*>(widget)) return edit->toPlainText();
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return plain->toPlainText();
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentText();
  if (auto* list = qobject_cast<const QListView*>(widget)) return ListSelection(list);
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  return QString();
}

void SetExclusiveState(QAbstractButton* button, bool checked) {
  QButtonGroup* group = button->group();
  const bool group_exclusive = group && group->exclusive();
  const bool auto_exclusive = button->autoExclusive();
  if (group_exclusive) group->setExclusive(false);
  button->setAutoExclusive(false);
  button->setChecked(checked);
  button->setAutoExclusive(auto_exclusive);
  if (group_exclusive) group->setExclusive(true);
}

void SelectListRow(QListView* list, int row) {
  QAbstractItemModel* model = ListModel(list);
  if (row < 0 || row >= model->rowCount() || !list->selectionModel()) return;
  list->selectionModel()->setCurrentIndex(model->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect);
}

}  // namespace quorvan
