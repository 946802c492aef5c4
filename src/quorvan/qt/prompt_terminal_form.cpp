#include "quorvan/qt/prompt_terminal_form.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTextDocumentFragment>
#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "quorvan/qt/prompt_controls.h"
#include "settings/text_codec.h"

namespace quorvan {
namespace {

using settings::FromBytes;
using settings::ToBytes;
using Kind = PromptQuestion::Kind;

// "&&" stands for "&"; any other "&" marks the next character as a shortcut.
QString WithoutMnemonics(const QString& text) {
  QString plain;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

// The text the user reads on a label, button or group box: without markup and
// shortcut marks.
QString ShownText(const QWidget* widget) {
  QString text = Text(widget);
  if (auto* label = qobject_cast<const QLabel*>(widget)) {
    const Qt::TextFormat format = label->textFormat();
    if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text))) {
      text = QTextDocumentFragment::fromHtml(text).toPlainText();
    }
    // A label shows its "&" literally unless it has a buddy to jump to.
    if (label->buddy()) text = WithoutMnemonics(text);
  } else if (qobject_cast<const QAbstractButton*>(widget) ||
             qobject_cast<const QGroupBox*>(widget)) {
    text = WithoutMnemonics(text);
  }
  return text;
}

// A label's text as a field's name: on one line, without the colon that ends it.
std::string FieldName(const QWidget* widget) {
  QString name = ShownText(widget).simplified();
  if (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return ToBytes(name.trimmed());
}

// The name of a field: `own` (its label, or its own text), else its accessible
// name, else the section of the item that prepared it, else its object name.
std::string QuestionLabel(const PromptLayout& layout, QWidget* widget, const QWidget* own) {
  if (own) {
    std::string name = FieldName(own);
    if (!name.empty()) return name;
  }
  if (!widget->accessibleName().isEmpty()) return ToBytes(widget->accessibleName());
  std::string section = layout.Section(widget);
  if (!section.empty()) return section;
  return ToBytes(widget->objectName());
}

// The buttons that checking `button` unchecks, `button` included: its exclusive
// button group, or its auto-exclusive siblings; just itself otherwise.
std::vector<QAbstractButton*> ExclusiveSet(QAbstractButton* button) {
  if (QButtonGroup* group = button->group()) {
    if (group->exclusive()) {
      QList<QAbstractButton*> members = group->buttons();
      return {members.begin(), members.end()};
    }
    return {button};
  }
  if (!button->autoExclusive() || !button->parentWidget()) return {button};
  std::vector<QAbstractButton*> set;
  for (QAbstractButton* sibling :
       button->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
    if (sibling->autoExclusive() && !sibling->group()) set.push_back(sibling);
  }
  return set;
}

// The choices and preset of a combo box: its entries and current one, or, when it
// takes typed text, its text as well. False when there is nothing to choose.
bool AskCombo(const QComboBox* combo, PromptQuestion& question) {
  for (int i = 0; i < combo->count(); ++i) question.choices.push_back(ToBytes(combo->itemText(i)));
  question.selected = combo->currentIndex();
  question.text = ToBytes(combo->currentText());
  if (combo->isEditable()) {
    question.kind = question.choices.empty() ? Kind::kEdit : Kind::kEditableChoice;
    return true;
  }
  question.kind = Kind::kChoice;
  return !question.choices.empty();
}

// The choices of a list and its first selected row; false for an empty list.
bool AskList(QListView* list, PromptQuestion& question) {
  QAbstractItemModel* model = ListModel(list);
  for (int row = 0; row < model->rowCount(); ++row) {
    question.choices.push_back(ToBytes(model->index(row, 0).data().toString()));
  }
  question.kind = Kind::kChoice;
  question.selected = -1;
  if (list->selectionModel()) {
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes()) {
      if (question.selected < 0 || index.row() < question.selected) {
        question.selected = index.row();
      }
    }
  }
  return !question.choices.empty();
}

bool SameAnswer(const PromptQuestion& a, const PromptQuestion& b) {
  return a.text == b.text && a.selected == b.selected && a.checked == b.checked;
}

}  // namespace

PromptTerminalForm::PromptTerminalForm(const PromptLayout& layout) {
  QDialog* dialog = layout.dialog();
  questions_.title = ToBytes(dialog->windowTitle());
  std::map<QWidget*, std::size_t> walk_index;
  for (QWidget* widget : layout.WalkOrder()) walk_index.emplace(widget, walk_index.size());

  auto is_field = [&](QWidget* widget) {
    if (!walk_index.count(widget) || !widget->isEnabled() || !widget->isVisibleTo(dialog)) {
      return false;
    }
    switch (Classify(widget)) {
      case ControlClass::kEdit: {
        // A combo box's edit field is asked with its combo box.
        if (qobject_cast<QComboBox*>(widget->parentWidget())) return false;
        auto* line = qobject_cast<QLineEdit*>(widget);
        return !(line && line->isReadOnly());
      }
      case ControlClass::kComboBox:
      case ControlClass::kListBox:
      case ControlClass::kAutoButton:
        return true;
      case ControlClass::kStatic:
      case ControlClass::kOther:
        return false;
    }
    return false;
  };

  std::vector<QWidget*> chain;
  for (QWidget* widget = dialog->nextInFocusChain(); widget && widget != dialog;
       widget = widget->nextInFocusChain()) {
    chain.push_back(widget);
  }
  std::set<QWidget*> field_labels;
  std::set<QWidget*> grouped;
  for (QWidget* widget : chain) {
    if (is_field(widget) && layout.Label(widget)) field_labels.insert(layout.Label(widget));
  }

  for (QWidget* widget : chain) {
    if (!is_field(widget)) {
      if (walk_index.count(widget) && layout.IsCaption(widget) && !field_labels.count(widget) &&
          widget->isVisibleTo(dialog)) {
        PromptQuestion caption;
        caption.label = ToBytes(ShownText(widget));
        questions_.questions.push_back(std::move(caption));
        targets_.emplace_back();
      }
      continue;
    }
    PromptQuestion question;
    std::vector<QWidget*> targets{widget};
    switch (Classify(widget)) {
      case ControlClass::kEdit:
        question.kind = Kind::kEdit;
        question.label = QuestionLabel(layout, widget, layout.Label(widget));
        question.text = ToBytes(Text(widget));
        break;
      case ControlClass::kComboBox:
        if (!AskCombo(static_cast<QComboBox*>(widget), question)) continue;
        question.label = QuestionLabel(layout, widget, layout.Label(widget));
        break;
      case ControlClass::kListBox:
        if (!AskList(static_cast<QListView*>(widget), question)) continue;
        question.label = QuestionLabel(layout, widget, layout.Label(widget));
        break;
      case ControlClass::kAutoButton: {
        auto* button = static_cast<QAbstractButton*>(widget);
        if (grouped.count(widget)) continue;
        std::vector<QAbstractButton*> set;
        if (qobject_cast<QRadioButton*>(button)) set = ExclusiveSet(button);
        std::erase_if(set, [&](QAbstractButton* member) { return !is_field(member); });
        if (set.size() <= 1) {
          question.kind = Kind::kCheck;
          question.label = QuestionLabel(layout, widget, widget);
          question.checked = button->isChecked();
          break;
        }
        std::sort(set.begin(), set.end(), [&](QAbstractButton* a, QAbstractButton* b) {
          return walk_index.at(a) < walk_index.at(b);
        });
        question.kind = Kind::kChoice;
        if (auto* box = qobject_cast<QGroupBox*>(button->parentWidget())) {
          question.label = FieldName(box);
        }
        targets.clear();
        for (QAbstractButton* member : set) {
          if (member->isChecked()) question.selected = static_cast<int>(targets.size());
          std::string text = FieldName(member);
          question.choices.push_back(text.empty() ? ToBytes(member->objectName()) : text);
          targets.push_back(member);
          grouped.insert(member);
        }
        break;
      }
      case ControlClass::kStatic:
      case ControlClass::kOther:
        continue;
    }
    questions_.questions.push_back(std::move(question));
    targets_.push_back(std::move(targets));
  }
  asked_ = questions_.questions;
}

void PromptTerminalForm::Apply() const {
  const std::size_t count = std::min(questions_.questions.size(), targets_.size());
  for (std::size_t i = 0; i < count; ++i) {
    const PromptQuestion& answer = questions_.questions[i];
    const std::vector<QWidget*>& targets = targets_[i];
    if (targets.empty() || SameAnswer(answer, asked_[i])) continue;
    QWidget* widget = targets.front();
    switch (answer.kind) {
      case Kind::kCaption:
        break;
      case Kind::kEdit:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
          combo->setEditText(FromBytes(answer.text));
        } else {
          SetText(widget, FromBytes(answer.text));
        }
        break;
      case Kind::kEditableChoice:
      case Kind::kChoice:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
          if (answer.selected >= 0) {
            combo->setCurrentIndex(answer.selected);
          } else if (combo->isEditable()) {
            combo->setEditText(FromBytes(answer.text));
          }
        } else if (auto* list = qobject_cast<QListView*>(widget)) {
          SelectListRow(list, answer.selected);
        } else if (answer.selected >= 0 &&
                   static_cast<std::size_t>(answer.selected) < targets.size()) {
          // Checking a button of an exclusive set unchecks the others, as a click does.
          if (auto* button = qobject_cast<QAbstractButton*>(targets[answer.selected])) {
            button->setChecked(true);
          }
        }
        break;
      case Kind::kCheck:
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
          button->setChecked(answer.checked);
        }
        break;
    }
  }
}

LayoutPromptStatus RunTerminalPrompt(PromptDialog& dialog, PromptAsker& asker) {
  ResourceRegistration registration(FromBytes(dialog.library_path));
  if (!registration.registered()) return LayoutPromptStatus::kNoLibrary;
  PromptLayout layout(dialog.resource_id, nullptr);
  if (!layout.dialog()) return LayoutPromptStatus::kNoLayout;
  layout.Prepare(dialog);
  PromptTerminalForm form(layout);
  if (!asker.AskPrompt(form.questions())) return LayoutPromptStatus::kCancelled;
  form.Apply();
  layout.ReadAnswers(dialog);
  return LayoutPromptStatus::kOk;
}

}  // namespace quorvan
