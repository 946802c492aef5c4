// The prompt dialog on Qt: a Designer layout from the template resource library,
// prepared and read as the prompt's controls say.
#pragma once

#include <QDialog>
#include <QString>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "quorvan/prompt_dialog.h"

class QWidget;

namespace quorvan {

// Makes a resource library's files visible under ":/" while it lives.
class ResourceRegistration {
 public:
  explicit ResourceRegistration(const QString& library_path);
  ~ResourceRegistration();
  ResourceRegistration(const ResourceRegistration&) = delete;
  ResourceRegistration& operator=(const ResourceRegistration&) = delete;
  bool registered() const { return registered_; }

 private:
  QString path_;
  bool registered_ = false;
};

// The layout ":/dialogs/<id>.ui" as a dialog, its controls known by their integer
// dynamic property "controlId". On construction every edit, combo box, list box,
// option button and check box is disabled, a label directly before an edit, combo
// box or list box is taken as that control's label and disabled with it, and every
// other control is enabled; OK and Cancel are the button boxes' accepted and
// rejected signals and the buttons named IDOK and IDCANCEL.
class PromptLayout {
 public:
  PromptLayout(int resource_id, QWidget* owner);
  ~PromptLayout();

  // Null when the layout could not be loaded.
  QDialog* dialog() const { return dialog_.get(); }
  // The first control in walk order with this identifier; null when none has it.
  QWidget* Control(int id) const;
  // The label recorded for an edit, combo box or list box; null without one.
  QWidget* Label(QWidget* control) const;
  // The controls in the order of the walk: depth first, in child order.
  const std::vector<QWidget*>& WalkOrder() const { return order_; }
  // Whether a static item set the control's text.
  bool IsCaption(QWidget* control) const { return captions_.count(control) > 0; }
  // The description section of the first item that prepared the control; empty
  // when none did.
  std::string Section(QWidget* control) const;

  // Enables and fills the controls that `dialog` names, in order; identifiers the
  // layout lacks are skipped.
  void Prepare(const PromptDialog& dialog);
  // Sets the answers of `dialog`'s controls from the controls' current states.
  void ReadAnswers(PromptDialog& dialog) const;
  // Centres the dialog over the owner's window, or over the screen.
  void Centre(QWidget* owner);

 private:
  void Walk();
  void ConnectButtons();
  // The controls with identifiers from `start` to `end`, in identifier order.
  std::vector<std::pair<int, QWidget*>> Range(int start, int end) const;

  std::unique_ptr<QDialog> dialog_;
  std::map<int, QWidget*> controls_;
  std::map<QWidget*, QWidget*> labels_;
  std::vector<QWidget*> order_;
  std::set<QWidget*> captions_;
  std::map<QWidget*, std::string> sections_;
};

// Shows `dialog` modally over `owner`: true for OK with the controls' answers set,
// false for Cancel or after a message when the library or layout cannot be loaded.
bool RunPromptDialog(PromptDialog& dialog, QWidget* owner);

}  // namespace quorvan
