// Control files: finding them on the template search path, reading their template
// text (after "[Template]") with argument-repeat blocks, and one expansion.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "engine/notifier.h"
#include "engine/variables.h"

namespace engine {

// Configuration values (section "Defaults") naming the control files, and defaults.
inline constexpr std::string_view kDefaultsSection = "Defaults";

// Replaces `name` with the full path of the file found as given or along "Template
// Path" (";"-separated) of the configuration in force; empty when not found.
void FindTemplateFile(std::string& name, const config::Settings& settings);

// Applied to each line (or each expanded repeat block, as one text) of a template.
using LineOperation = std::function<void(std::string& text)>;

// Reads the template of the control file at `path` into lines of at most 1023 bytes
// (a longer line arrives in pieces) and applies `per_line` to each, expanding repeat
// blocks `argument_count` times. Shows "Unable to open template file <path>" and
// fails when the file cannot be opened.
bool ReadTemplateLines(const std::string& path, int argument_count, const LineOperation& per_line,
                       Notifier& notifier);

// One prompt expression ("$_DlgGet(...)") found in a template, and its answer.
struct DlgGetItem {
  std::string section;
  std::string default_text;
  int control_id = 0;
  std::string value;
  std::string expression;
};

class TemplateExpander;

// The prompt step of an expansion: shows the dialog that the control file's "Dialog"
// section names and fills the expander's prompt items. Called only when the control
// file has a "ResDllName". Returns false to stop the expansion.
class PromptStep {
 public:
  virtual ~PromptStep() = default;
  virtual bool Run(TemplateExpander& expander) = 0;
};

class TemplateExpander {
 public:
  TemplateExpander(Notifier& notifier, PromptStep* prompt_step = nullptr);
  virtual ~TemplateExpander() = default;

  // Runs the prompt step, then expands the template: each line or block is
  // substituted, its prompt expressions replaced, and passed to `EmitLine`.
  bool ExpandControlFile(const std::string& path, const VariableTable& table, int argument_count);

  // Replaces each prompt item's expression in `text` by its value, in item order.
  void ReplaceDlgGetItems(std::string& text) const;

  const std::string& control_path() const { return control_path_; }
  const VariableTable* table() const { return table_; }
  int argument_count() const { return argument_count_; }
  std::vector<DlgGetItem>& prompt_items() { return prompt_items_; }
  Notifier& notifier() const { return notifier_; }

  std::string result;

 protected:
  virtual void EmitLine(std::string& line) = 0;

 private:
  Notifier& notifier_;
  PromptStep* prompt_step_;
  std::vector<DlgGetItem> prompt_items_;
  std::string control_path_;
  const VariableTable* table_ = nullptr;
  int argument_count_ = 0;
};

// The expander of the clipboard actions: every emitted line is appended to `result`.
class TextExpander : public TemplateExpander {
 public:
  using TemplateExpander::TemplateExpander;

 protected:
  void EmitLine(std::string& line) override { result += line; }
};

}  // namespace engine
