// A prompt dialog on the terminal is its real layout: the Qt module builds the layout
// without a window, prepares it exactly as the window does, and describes its fields
// in tab order as questions. The terminal asks them, the module puts the answers
// into the widgets, and the window's own read-back delivers the values.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "quorvan/prompt_dialog.h"

namespace quorvan {

struct PromptQuestion {
  enum class Kind {
    // A text printed where it stands; nothing is read.
    kCaption,
    // A line of text, preset with `text`.
    kEdit,
    // One of `choices`, numbered from 1; `selected` is the preset (-1: none).
    kChoice,
    // A combo box that also takes typed text: a number picks one of `choices`
    // (`selected` set, `text` its text), anything else is the text itself
    // (`selected` -1).
    kEditableChoice,
    // y/n, preset with `checked`.
    kCheck,
  };
  Kind kind = Kind::kCaption;
  // The field's label, or the caption's text.
  std::string label;
  std::string text;
  std::vector<std::string> choices;
  int selected = -1;
  bool checked = false;
};

struct PromptQuestions {
  // The dialog's window title; empty for none.
  std::string title;
  std::vector<PromptQuestion> questions;
};

// Asks the questions in order, each answer replacing the question's preset; false
// when the user cancelled (end of input), with the questions then undefined.
class PromptAsker {
 public:
  virtual bool AskPrompt(PromptQuestions& questions) = 0;

 protected:
  ~PromptAsker() = default;
};

// The outcome of a prompt dialog run on its layout without a window.
enum class LayoutPromptStatus : int {
  kOk = 0,         // the dialog's answers are set
  kCancelled = 1,  // nothing is set
  kNoLibrary = 2,  // the resource library cannot be loaded
  kNoLayout = 3,   // the library holds no usable layout with the identifier
  kNoQt = 4,       // the layout cannot be read here (no module, Qt cannot start)
};

// Runs `dialog` on its layout, asking through `asker`.
using PromptLayoutRunner = std::function<LayoutPromptStatus(PromptDialog&, PromptAsker&)>;

}  // namespace quorvan
