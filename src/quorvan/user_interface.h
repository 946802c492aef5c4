// Everything quorvan shows the user goes through this interface: message boxes, the
// error beep, Yes/No questions and the modal dialogs of the actions, described as
// forms. The terminal and the Qt implementations map forms onto their own widgets.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/notifier.h"
#include "quorvan/prompt_dialog.h"

namespace quorvan {

struct FormField {
  enum class Kind { kEdit, kRadioGroup, kList, kCheckBox };
  Kind kind = Kind::kEdit;
  // The field's label (for an edit or check box) or caption (radio group, list).
  std::string label;
  // kEdit: the preset on the way in, the entry on the way out.
  std::string text;
  // kEdit: at most this many characters (0: no limit); a longer entry is refused
  // with kMaxLengthMessage.
  std::size_t max_length = 0;
  // kRadioGroup, kList: the choices in order and the chosen index (-1: none).
  std::vector<std::string> choices;
  int selected = -1;
  // kCheckBox
  bool checked = false;

  static FormField Edit(std::string label, std::string preset, std::size_t max_length = 0);
  static FormField RadioGroup(std::string label, std::vector<std::string> choices, int preset);
  static FormField List(std::string label, std::vector<std::string> choices, int preset);
  static FormField CheckBox(std::string label, bool checked);
};

// "%1" stands for the limit.
inline constexpr std::string_view kMaxLengthMessage = "Please enter no more than %1 characters.";
std::string MaxLengthMessage(std::size_t max_length);

struct Form {
  // Names the dialog, so that an implementation can pick its layout ("External
  // Filter", "Column Insert", "Common Strings", "Common Files").
  std::string identifier;
  std::string title;
  // In tab order.
  std::vector<FormField> fields;
  // Checks field `index` once it holds the user's entry (the other fields hold their
  // current values); a message when the entry is refused. Fields are checked in
  // order, and a refused field is entered again after the message.
  std::function<std::optional<std::string>(const Form& form, std::size_t index)> validator;

  // The message for field `index`, from the length limit or the validator.
  std::optional<std::string> Check(std::size_t index) const;
};

class UserInterface : public engine::Notifier {
 public:
  // True for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
  // Runs the form modally: true for OK, with the fields holding the entries; false
  // for Cancel, with the fields as they were.
  virtual bool RunForm(Form& form) = 0;
  // Shows the prompt dialog modally: true for OK, with the controls' answers set;
  // false for Cancel, or after a message when the layout cannot be shown.
  virtual bool RunPrompt(PromptDialog& dialog) = 0;
};

}  // namespace quorvan
