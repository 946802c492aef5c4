#include "quorvan/terminal_ui.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "platform/answer_line.h"
#include "platform/atomic_file.h"

namespace quorvan {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return lower;
}

// 1 for yes, 0 for no, -1 for anything else.
int YesNo(std::string_view answer) {
  std::string lower = Lower(answer);
  if (lower == "y" || lower == "yes") return 1;
  if (lower == "n" || lower == "no") return 0;
  return -1;
}

// The 1-based choice in `answer`, or -1 when it is not a number from 1 to `count`.
int ChoiceNumber(std::string_view answer, std::size_t count) {
  if (answer.empty() || answer.size() > 9) return -1;
  int number = 0;
  for (char c : answer) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number >= 1 && static_cast<std::size_t>(number) <= count ? number : -1;
}

}  // namespace

TerminalUserInterface::TerminalUserInterface(AnswerSource source) : source_(source) {}

TerminalUserInterface::TerminalUserInterface(int input_fd, int output_fd, int beep_fd)
    : opened_(true), input_fd_(input_fd), output_fd_(output_fd), beep_fd_(beep_fd) {}

TerminalUserInterface::~TerminalUserInterface() {
  if (tty_fd_ >= 0) close(tty_fd_);
}

void TerminalUserInterface::OpenTerminal() {
  if (opened_) return;
  opened_ = true;
  tty_fd_ = open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  beep_fd_ = tty_fd_;
  if (source_ == AnswerSource::kTerminalOnly) {
    // Without a terminal nothing is asked, so no prompt is shown either.
    input_fd_ = tty_fd_;
    output_fd_ = tty_fd_;
    return;
  }
  input_fd_ = tty_fd_ >= 0 ? tty_fd_ : STDIN_FILENO;
  output_fd_ = STDERR_FILENO;
}

void TerminalUserInterface::Write(std::string_view text) {
  OpenTerminal();
  if (output_fd_ >= 0) platform::WriteAll(output_fd_, text);
}

std::optional<std::string> TerminalUserInterface::ReadLine() {
  OpenTerminal();
  return platform::ReadAnswerLine(input_fd_);
}

void TerminalUserInterface::ShowMessage(std::string_view text) {
  OpenTerminal();
  // A message is shown even where no question can be asked.
  const int fd = output_fd_ >= 0 ? output_fd_ : STDERR_FILENO;
  platform::WriteAll(fd, std::string(text) + "\n");
}

void TerminalUserInterface::Beep() {
  OpenTerminal();
  if (beep_fd_ < 0) return;
  ssize_t ignored = write(beep_fd_, "\a", 1);
  (void)ignored;
}

bool TerminalUserInterface::AskYesNo(std::string_view text) {
  Write(text);
  Write("\n");
  for (;;) {
    Write("(y/n) ");
    std::optional<std::string> answer = ReadLine();
    if (!answer) return false;
    int yes = YesNo(*answer);
    if (yes >= 0) return yes == 1;
    Write("Please answer y or n.\n");
  }
}

bool TerminalUserInterface::AskField(FormField& field) {
  using Kind = FormField::Kind;
  switch (field.kind) {
    case Kind::kEdit: {
      Write(field.label + " [" + field.text + "]: ");
      std::optional<std::string> answer = ReadLine();
      if (!answer) return false;
      if (!answer->empty()) field.text = std::move(*answer);
      return true;
    }
    case Kind::kRadioGroup:
    case Kind::kList: {
      if (!field.label.empty()) Write(field.label + "\n");
      for (std::size_t i = 0; i < field.choices.size(); ++i) {
        Write("  " + std::to_string(i + 1) + ". " + field.choices[i] + "\n");
      }
      for (;;) {
        bool has_preset =
            field.selected >= 0 && static_cast<std::size_t>(field.selected) < field.choices.size();
        Write("Choice [" + (has_preset ? std::to_string(field.selected + 1) : std::string()) +
              "]: ");
        std::optional<std::string> answer = ReadLine();
        if (!answer) return false;
        if (answer->empty()) return true;
        int number = ChoiceNumber(*answer, field.choices.size());
        if (number > 0) {
          field.selected = number - 1;
          return true;
        }
        Write("Please enter a number from 1 to " + std::to_string(field.choices.size()) + ".\n");
      }
    }
    case Kind::kCheckBox:
      for (;;) {
        Write(field.label + " [" + (field.checked ? "y" : "n") + "]: ");
        std::optional<std::string> answer = ReadLine();
        if (!answer) return false;
        if (answer->empty()) return true;
        int yes = YesNo(*answer);
        if (yes >= 0) {
          field.checked = yes == 1;
          return true;
        }
        Write("Please answer y or n.\n");
      }
  }
  return false;
}

bool TerminalUserInterface::RunForm(Form& form) {
  Form working = form;
  if (!working.title.empty()) Write(working.title + "\n");
  for (std::size_t i = 0; i < working.fields.size(); ++i) {
    for (;;) {
      FormField before = working.fields[i];
      if (!AskField(working.fields[i])) return false;
      std::optional<std::string> message = working.Check(i);
      if (!message) break;
      Write(*message + "\n");
      // The refused entry is not kept as the preset of the next try.
      working.fields[i] = std::move(before);
    }
  }
  form = std::move(working);
  return true;
}

}  // namespace quorvan

namespace quorvan {
namespace {

// The form field that asks for `control` on the terminal; nullopt for a control
// that takes no answer (a static text, an ignored item, a list without entries).
std::optional<FormField> PromptField(const PromptControl& control) {
  using Kind = PromptControl::Kind;
  switch (control.kind) {
    case Kind::kIgnored:
    case Kind::kStatic:
      return std::nullopt;
    case Kind::kEdit:
      return FormField::Edit(control.section, control.default_text);
    case Kind::kCombo:
    case Kind::kList: {
      if (control.entries.empty()) return std::nullopt;
      std::string wanted = Lower(control.preselection);
      int preset = 0;
      for (std::size_t i = 0; i < control.entries.size(); ++i) {
        if (Lower(control.entries[i]) == wanted) {
          preset = static_cast<int>(i);
          break;
        }
      }
      return FormField::List(control.section, control.entries, preset);
    }
    case Kind::kCheck:
      return FormField::CheckBox(control.section, false);
    case Kind::kRadio: {
      // Each button shows the value it delivers, or its identifier without one.
      std::vector<std::string> choices;
      for (std::size_t k = 0; k < control.entries.size(); ++k) {
        choices.push_back(!control.entries[k].empty()
                              ? control.entries[k]
                              : "Button " +
                                    std::to_string(control.start_id + static_cast<long long>(k)));
      }
      if (choices.empty()) return std::nullopt;
      int preset = control.default_position >= 0 &&
                           static_cast<std::size_t>(control.default_position) < choices.size()
                       ? control.default_position
                       : -1;
      return FormField::RadioGroup(control.section, std::move(choices), preset);
    }
  }
  return std::nullopt;
}

// Whether `a` reads the same control as `b`, so that it takes b's answer.
bool SameControl(const PromptControl& a, const PromptControl& b) {
  if (a.kind != b.kind) return false;
  if (a.kind == PromptControl::Kind::kRadio)
    return a.start_id == b.start_id && a.end_id == b.end_id;
  return a.control_id == b.control_id;
}

}  // namespace

bool TerminalUserInterface::RunItemPrompt(PromptDialog& dialog) {
  using Kind = PromptControl::Kind;
  std::vector<PromptControl> controls = dialog.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    PromptControl& control = controls[i];
    control.found = true;
    auto earlier =
        std::find_if(controls.begin(), controls.begin() + static_cast<std::ptrdiff_t>(i),
                     [&](const PromptControl& other) { return SameControl(control, other); });
    if (earlier != controls.begin() + static_cast<std::ptrdiff_t>(i)) {
      control.text = earlier->text;
      control.checked = earlier->checked;
      control.selected_position = earlier->selected_position;
      continue;
    }
    std::optional<FormField> field = PromptField(control);
    if (!field) continue;
    if (!AskField(*field)) return false;
    switch (control.kind) {
      case Kind::kEdit:
        control.text = field->text;
        break;
      case Kind::kCombo:
      case Kind::kList:
        if (field->selected >= 0)
          control.text = field->choices[static_cast<std::size_t>(field->selected)];
        break;
      case Kind::kCheck:
        control.checked = field->checked;
        break;
      case Kind::kRadio:
        control.selected_position = field->selected;
        break;
      case Kind::kIgnored:
      case Kind::kStatic:
        break;
    }
  }
  dialog.controls = std::move(controls);
  return true;
}

}  // namespace quorvan

namespace quorvan {

bool TerminalUserInterface::RunPrompt(PromptDialog& dialog) {
  if (prompt_runner_) {
    switch (prompt_runner_(dialog, *this)) {
      case LayoutPromptStatus::kOk:
        return true;
      case LayoutPromptStatus::kCancelled:
        return false;
      case LayoutPromptStatus::kNoLibrary:
        ShowMessage("Unable to find resource DLL: " + dialog.library_path);
        return false;
      case LayoutPromptStatus::kNoLayout:
        ShowMessage("Unable to find Dialog resource");
        return false;
      case LayoutPromptStatus::kNoQt:
        Write(
            "The dialog layout cannot be read without Qt; asking for the template's values "
            "instead.\n");
        break;
    }
  }
  return RunItemPrompt(dialog);
}

bool TerminalUserInterface::AskEditableChoice(PromptQuestion& question) {
  if (!question.label.empty()) Write(question.label + "\n");
  for (std::size_t i = 0; i < question.choices.size(); ++i) {
    Write("  " + std::to_string(i + 1) + ". " + question.choices[i] + "\n");
  }
  Write("Choice or text [" + question.text + "]: ");
  std::optional<std::string> answer = ReadLine();
  if (!answer) return false;
  if (answer->empty()) return true;
  int number = ChoiceNumber(*answer, question.choices.size());
  if (number > 0) {
    question.selected = number - 1;
    question.text = question.choices[static_cast<std::size_t>(number - 1)];
  } else {
    question.selected = -1;
    question.text = std::move(*answer);
  }
  return true;
}

// Called from the Qt module, which must see no exception (see qt_module.h).
bool TerminalUserInterface::AskPrompt(PromptQuestions& questions) {
  try {
    return AskPromptQuestions(questions);
  } catch (...) {
    return false;
  }
}

bool TerminalUserInterface::AskPromptQuestions(PromptQuestions& questions) {
  using Kind = PromptQuestion::Kind;
  if (!questions.title.empty()) Write(questions.title + "\n");
  for (PromptQuestion& question : questions.questions) {
    switch (question.kind) {
      case Kind::kCaption:
        Write(question.label + "\n");
        break;
      case Kind::kEdit: {
        FormField field = FormField::Edit(question.label, question.text);
        if (!AskField(field)) return false;
        question.text = std::move(field.text);
        break;
      }
      case Kind::kChoice: {
        FormField field = FormField::List(question.label, question.choices, question.selected);
        if (!AskField(field)) return false;
        question.selected = field.selected;
        break;
      }
      case Kind::kEditableChoice:
        if (!AskEditableChoice(question)) return false;
        break;
      case Kind::kCheck: {
        FormField field = FormField::CheckBox(question.label, question.checked);
        if (!AskField(field)) return false;
        question.checked = field.checked;
        break;
      }
    }
  }
  return true;
}

}  // namespace quorvan
