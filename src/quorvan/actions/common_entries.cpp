#include "quorvan/actions/common_entries.h"

#include "engine/escapes.h"
#include "engine/templates.h"
#include "platform/profile_file.h"
#include "quorvan/clipboard_exchange.h"

namespace quorvan {

std::vector<std::string> ReadCommonEntries(const config::Settings& settings, CommonList list) {
  std::string path =
      settings.ReadSetting(engine::kDefaultsSection, kCommonStringsFile, kDefaultCommonStringsFile);
  engine::FindTemplateFile(path, settings);
  std::vector<std::string> entries;
  if (path.empty()) return entries;
  const bool strings = list == CommonList::kStrings;
  const std::string_view section = strings ? "Common Strings" : "Common Files";
  const std::string_view base = strings ? "String" : "File";
  for (int index = 0;; ++index) {
    std::string value =
        platform::ReadProfileString(path, section, config::IndexedName(base, index), "", 259);
    if (value.empty()) break;
    entries.push_back(std::move(value));
  }
  return entries;
}

Form MakeCommonEntriesForm(CommonList list, std::vector<std::string> entries) {
  const std::string title = list == CommonList::kStrings ? "Common Strings" : "Common Files";
  const int preset = entries.empty() ? -1 : 0;
  Form form;
  form.identifier = title;
  form.title = title;
  form.fields.push_back(FormField::List("", std::move(entries), preset));
  return form;
}

std::optional<std::string> ChooseCommonEntry(App& app, CommonList list) {
  Form form = MakeCommonEntriesForm(list, ReadCommonEntries(app.settings, list));
  if (!app.ui.RunForm(form)) return std::nullopt;
  if (form.fields.size() != 1) return std::string();
  const FormField& field = form.fields.front();
  if (field.selected < 0 || static_cast<std::size_t>(field.selected) >= field.choices.size()) {
    return std::string();
  }
  return field.choices[static_cast<std::size_t>(field.selected)];
}

bool InsertCommonString(App& app, const engine::Clock& clock) {
  std::optional<std::string> text = ChooseCommonEntry(app, CommonList::kStrings);
  if (!text) return false;
  engine::VariableTable table;
  engine::AddFileUserDateVariables(table, app.settings, app.command_line.file_name, clock);
  engine::SubstituteVariables(*text, table);
  engine::TranslateEscapes(*text, &app.ui);
  const bool written = WriteClipboardText(app, *text, app.ColumnSelection);
  app.ColumnSelection = 0;
  if (!written) return false;
  app.ide.PasteResult();
  return true;
}

}  // namespace quorvan
