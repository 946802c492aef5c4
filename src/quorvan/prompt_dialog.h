// A prompt dialog as the user interface sees it: a layout of the template resource
// library and the controls that a control file's prompt items prepare and read.
// The control file's reading and the mapping of answers onto values stay with the
// caller; an implementation only shows the layout and fills the answer fields.
#pragma once

#include <string>
#include <vector>

namespace quorvan {

struct PromptControl {
  enum class Kind { kIgnored, kStatic, kEdit, kCombo, kList, kCheck, kRadio };
  Kind kind = Kind::kIgnored;
  // The item's description section; the terminal shows it as the field's label.
  std::string section;
  // kStatic, kEdit, kCombo, kList, kCheck: the control's identifier.
  int control_id = 0;
  // kStatic, kEdit: the text put into the control.
  std::string default_text;
  // kCombo, kList: the shown texts in order, and the one to select (compared
  // without regard to case; the first entry when none matches or it is empty).
  // kRadio: the value each position delivers (position 0: start_id), for a user
  // interface without the layout to show; at most the first 100 positions.
  std::vector<std::string> entries;
  std::string preselection;
  // kRadio: the option buttons start_id to end_id; the one at `default_position`
  // (0: start_id) starts selected.
  int start_id = 0;
  int end_id = 0;
  int default_position = 0;

  // Answers, set on OK.
  // Whether the layout holds the control (kRadio: any button of the range).
  bool found = false;
  // kEdit, kCombo: the control's text; kList: the selected entry's text, or empty.
  std::string text;
  // kCheck: whether the box is ticked.
  bool checked = false;
  // kRadio: position of the first selected button from start_id; -1 for none.
  int selected_position = -1;
};

struct PromptDialog {
  // The resource library file, as found, and the layout's identifier in it.
  std::string library_path;
  int resource_id = 0;
  // One per prompt item, in collection order; several may name the same control.
  std::vector<PromptControl> controls;
};

}  // namespace quorvan
