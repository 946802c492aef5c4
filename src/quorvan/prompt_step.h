// The prompt step of quorvan's control-file expansions: the "$_DlgGet" expressions
// of a template are collected, the layout that the control file's "Dialog" section
// names is shown once with the controls their description sections prepare, and the
// answers become the values that replace the expressions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "engine/templates.h"
#include "quorvan/app.h"
#include "quorvan/prompt_dialog.h"

namespace quorvan {

inline constexpr std::string_view kDlgGetWord = "$_DlgGet";

// Appends an item for each "$_DlgGet(section, default)" of `text`, in order. An
// occurrence without an opening parenthesis after it, or whose parenthesis is never
// closed, yields no item and stays in the text as written.
void ParseDlgGetItems(const std::string& text, std::vector<engine::DlgGetItem>& items);

// The per-line operation of the prompt pass: substitutes the expander's variables
// into a copy of `text`, as the expansion will, and collects its expressions into
// the expander's prompt items.
void CollectDlgGetItems(engine::TemplateExpander& expander, const std::string& text);

// The kind a "Type" value names: the first of STATIC, EDIT, COMBO, LIST, CHECK and
// RADIO that occurs in it (case-sensitive); kIgnored when none does.
PromptControl::Kind PromptKind(std::string_view type);

// The dialog for `items`, prepared from their description sections in the control
// file at `control_path`: one control per item, in item order.
PromptDialog DescribePromptDialog(const std::string& control_path,
                                  const std::vector<engine::DlgGetItem>& items);

// Sets each item's value from the answer of its control (the dialog ended with OK).
void ApplyPromptAnswers(const std::string& control_path, const PromptDialog& dialog,
                        std::vector<engine::DlgGetItem>& items);

// The resource library file that "ResDllName" `name` denotes (a name ending in
// ".DLL", in any case, stands for the same base name ending in ".rcc"): as given,
// then in the control file's directory, each "Template Path" directory and the
// program's directory. Empty when none holds it.
std::string FindResourceLibrary(const std::string& name, const std::string& control_path,
                                const config::Settings& settings,
                                const std::string& program_directory);

// Shows the prompt dialog through the app's user interface.
class PromptDialogStep : public engine::PromptStep {
 public:
  explicit PromptDialogStep(App& app) : app_(app) {}
  bool Run(engine::TemplateExpander& expander) override { return RunPromptDialog(expander); }

  // True to go on with the expansion: no library named, no expression in the
  // template, or the dialog ended with OK. False after a message when the library
  // or its layout is missing, after the reader's message when the template cannot
  // be read, and when the dialog was cancelled.
  bool RunPromptDialog(engine::TemplateExpander& expander);

 private:
  App& app_;
};

}  // namespace quorvan
