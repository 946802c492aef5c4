// The prompt dialog on a terminal: the layout that the window shows, built without
// a window and prepared by the same code, asked field by field in its tab order.
#pragma once

#include <vector>

#include "quorvan/qt/prompt_dialog_qt.h"
#include "quorvan/terminal_prompt.h"

class QWidget;

namespace quorvan {

// The questions of a prepared layout. The walk follows the dialog's focus chain,
// which the layout's tab stops arrange and in which every widget has its place:
// - each enabled, shown edit, combo box, list box, check box and radio group is a
//   question, labelled by its recorded label (a check box by its own text, a
//   radio group by its group box) and preset with the control's current state;
// - a radio group is the exclusive set of enabled buttons it belongs to, asked
//   once where its first button stands, its choices in layout order;
// - a control that a static item set is printed where it stands, unless it is
//   shown as a question's label.
class PromptTerminalForm {
 public:
  explicit PromptTerminalForm(const PromptLayout& layout);

  PromptQuestions& questions() { return questions_; }
  // Puts each changed answer into its widget, as typing or a click would.
  void Apply() const;

 private:
  PromptQuestions questions_;
  // Per question: the questions as asked, and the widgets they stand for (a radio
  // group's buttons in choice order).
  std::vector<PromptQuestion> asked_;
  std::vector<std::vector<QWidget*>> targets_;
};

// Runs `dialog` on its layout through `asker` in the running Qt application: the
// library is registered, the layout built and prepared, the answers put into it
// and read back as the window reads them.
LayoutPromptStatus RunTerminalPrompt(PromptDialog& dialog, PromptAsker& asker);

}  // namespace quorvan
