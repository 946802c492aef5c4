#include "quorvan/actions/control_file.h"

#include "engine/templates.h"
#include "quorvan/prompt_step.h"

namespace quorvan {

std::string LocateControlFile(const App& app, std::string_view setting,
                              std::string_view default_name) {
  std::string name = app.settings.ReadSetting(engine::kDefaultsSection, setting, default_name);
  engine::FindTemplateFile(name, app.settings);
  return name;
}

bool ExpandControlFileText(App& app, const std::string& path, const engine::VariableTable& table,
                           int argument_count, std::string& result) {
  PromptDialogStep prompt(app);
  engine::TextExpander expander(app.ui, &prompt);
  if (!expander.ExpandControlFile(path, table, argument_count)) return false;
  result = std::move(expander.result);
  return true;
}

}  // namespace quorvan
