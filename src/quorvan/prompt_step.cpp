#include "quorvan/prompt_step.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <utility>

#include "engine/text_ops.h"
#include "engine/variables.h"
#include "platform/profile_file.h"
#include "platform/resource_library.h"

namespace quorvan {
namespace {

constexpr std::string_view kDialogSection = "Dialog";
// The longest value read from a control file.
constexpr std::size_t kMaxValue = 259;
// The most option buttons of one group that the user interface is told the values
// of; a group's identifiers may span any range.
constexpr int kMaxRadioValues = 100;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameKey(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

// An argument of an expression: trimmed, then unquoted; empty when it is not quoted.
// A quoted text that a comma cut keeps its part before the comma.
std::string Argument(std::string_view text, bool cut_at_comma) {
  std::string argument(engine::Trimmed(text));
  if (engine::RemoveQuotes(argument)) return argument;
  std::size_t quote = argument.find('"');
  if (cut_at_comma && quote != std::string::npos) return argument.substr(quote + 1);
  return std::string();
}

// One description section, read once: keys compare without regard to case and values
// are cut as every control-file read cuts them.
class Section {
 public:
  Section(const std::string& path, const std::string& name)
      : pairs_(platform::ReadProfileSection(path, name)) {}

  std::string Text(std::string_view key) const {
    for (const auto& [name, value] : pairs_) {
      if (SameKey(name, key)) return value.substr(0, kMaxValue);
    }
    return std::string();
  }
  int Number(std::string_view key) const { return platform::ParseProfileInt(Text(key), 0); }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

// The sections an expansion's items name, each read once.
class Sections {
 public:
  explicit Sections(const std::string& path) : path_(path) {}
  const Section& Of(const std::string& name) {
    auto it = sections_.find(name);
    if (it == sections_.end()) it = sections_.emplace(name, Section(path_, name)).first;
    return it->second;
  }

 private:
  const std::string& path_;
  std::map<std::string, Section> sections_;
};

// "Public|pub" is shown as "Public" and selected by the default "pub"; an entry
// without a bar is selected by its own text.
void AddFillEntries(const Section& section, const std::string& default_text,
                    PromptControl& control) {
  for (int index = 0;; ++index) {
    std::string entry = section.Text("Fill" + std::to_string(index));
    if (entry.empty()) break;
    std::size_t bar = entry.find('|');
    std::string shown(engine::Trimmed(std::string_view(entry).substr(0, bar)));
    std::string_view key = bar == std::string::npos
                               ? std::string_view(shown)
                               : engine::Trimmed(std::string_view(entry).substr(bar + 1));
    if (key == default_text) control.preselection = shown;
    control.entries.push_back(std::move(shown));
  }
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Joined(std::string_view directory, std::string_view name) {
  std::string path(directory);
  if (!path.empty() && path.back() != '/') path += '/';
  return path + std::string(name);
}

}  // namespace

void ParseDlgGetItems(const std::string& text, std::vector<engine::DlgGetItem>& items) {
  std::size_t from = 0;
  for (;;) {
    std::size_t start = text.find(kDlgGetWord, from);
    if (start == std::string::npos) return;
    std::size_t open = text.find('(', start + kDlgGetWord.size());
    // Without a parenthesis after it, no later occurrence can have one either.
    if (open == std::string::npos) return;
    std::optional<std::size_t> close = engine::FindMatching(text, open, '(');
    if (!close) {
      from = start + kDlgGetWord.size();
      continue;
    }
    std::string_view arguments = std::string_view(text).substr(open + 1, *close - open - 1);
    std::size_t comma = arguments.find(',');
    engine::DlgGetItem item;
    item.section = Argument(arguments.substr(0, comma), comma != std::string_view::npos);
    if (comma != std::string_view::npos) {
      std::string_view rest = arguments.substr(comma + 1);
      std::size_t next = rest.find(',');
      item.default_text = Argument(rest.substr(0, next), next != std::string_view::npos);
    }
    item.expression = text.substr(start, *close + 1 - start);
    items.push_back(std::move(item));
    from = *close + 1;
  }
}

void CollectDlgGetItems(engine::TemplateExpander& expander, const std::string& text) {
  std::string line = text;
  if (expander.table()) engine::SubstituteVariables(line, *expander.table());
  ParseDlgGetItems(line, expander.prompt_items());
}

PromptControl::Kind PromptKind(std::string_view type) {
  using Kind = PromptControl::Kind;
  static constexpr std::pair<std::string_view, Kind> kKinds[] = {
      {"STATIC", Kind::kStatic}, {"EDIT", Kind::kEdit},   {"COMBO", Kind::kCombo},
      {"LIST", Kind::kList},     {"CHECK", Kind::kCheck}, {"RADIO", Kind::kRadio},
  };
  for (const auto& [word, kind] : kKinds) {
    if (type.find(word) != std::string_view::npos) return kind;
  }
  return Kind::kIgnored;
}

PromptDialog DescribePromptDialog(const std::string& control_path,
                                  const std::vector<engine::DlgGetItem>& items) {
  using Kind = PromptControl::Kind;
  Sections sections(control_path);
  PromptDialog dialog;
  dialog.controls.reserve(items.size());
  for (const engine::DlgGetItem& item : items) {
    const Section& section = sections.Of(item.section);
    PromptControl control;
    control.kind = PromptKind(section.Text("Type"));
    control.section = item.section;
    control.default_text = item.default_text;
    control.control_id = section.Number("ControlID");
    if (control.kind == Kind::kRadio) {
      control.start_id = section.Number("StartControlID");
      control.end_id = section.Number("EndControlID");
      control.default_position = section.Number("Default");
      long long span = static_cast<long long>(control.end_id) - control.start_id + 1;
      long long shown = std::clamp<long long>(span, 0, kMaxRadioValues);
      for (int k = 0; k < shown; ++k) {
        control.entries.push_back(section.Text("Button" + std::to_string(k)));
      }
    }
    if (control.kind == Kind::kCombo || control.kind == Kind::kList) {
      AddFillEntries(section, item.default_text, control);
    }
    dialog.controls.push_back(std::move(control));
  }
  return dialog;
}

void ApplyPromptAnswers(const std::string& control_path, const PromptDialog& dialog,
                        std::vector<engine::DlgGetItem>& items) {
  using Kind = PromptControl::Kind;
  Sections sections(control_path);
  const std::size_t count = std::min(items.size(), dialog.controls.size());
  for (std::size_t i = 0; i < count; ++i) {
    const PromptControl& control = dialog.controls[i];
    engine::DlgGetItem& item = items[i];
    item.control_id = control.control_id;
    item.value.clear();
    switch (control.kind) {
      case Kind::kIgnored:
      case Kind::kStatic:
        break;
      case Kind::kEdit:
      case Kind::kCombo:
      case Kind::kList:
        if (control.found) item.value = control.text;
        break;
      case Kind::kCheck:
        item.value = sections.Of(item.section)
                         .Text(control.found && control.checked ? "OnState" : "OffState");
        break;
      case Kind::kRadio:
        if (control.found && control.selected_position >= 0) {
          item.value =
              sections.Of(item.section).Text("Button" + std::to_string(control.selected_position));
        }
        break;
    }
  }
}

std::string FindResourceLibrary(const std::string& name, const std::string& control_path,
                                const config::Settings& settings,
                                const std::string& program_directory) {
  if (name.empty() || name.find('\0') != std::string::npos) return std::string();
  std::string file = name;
  if (file.size() >= 4 && SameKey(std::string_view(file).substr(file.size() - 4), ".dll")) {
    file.replace(file.size() - 4, 4, ".rcc");
  }
  if (IsRegularFile(file)) return file;
  if (file.front() == '/') return std::string();

  std::vector<std::string> directories;
  std::size_t slash = control_path.rfind('/');
  if (slash != std::string::npos) directories.push_back(control_path.substr(0, slash + 1));
  const std::string list = settings.ReadSetting(engine::kDefaultsSection, "Template Path", "");
  std::string_view rest = list;
  while (!rest.empty()) {
    std::size_t semicolon = rest.find(';');
    std::string_view directory = engine::Trimmed(rest.substr(0, semicolon));
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    if (!directory.empty()) directories.emplace_back(directory);
  }
  if (!program_directory.empty()) directories.push_back(program_directory);
  for (const std::string& directory : directories) {
    std::string candidate = Joined(directory, file);
    if (IsRegularFile(candidate)) return candidate;
  }
  return std::string();
}

bool PromptDialogStep::RunPromptDialog(engine::TemplateExpander& expander) {
  const std::string& path = expander.control_path();
  const std::string name =
      platform::ReadProfileString(path, kDialogSection, "ResDllName", "", kMaxValue);
  if (name.empty()) return true;

  const std::string library_path =
      FindResourceLibrary(name, path, app_.settings, app_.program_directory);
  std::optional<platform::ResourceLibrary> library;
  if (!library_path.empty()) library = platform::ResourceLibrary::Open(library_path);
  if (!library) {
    app_.ui.ShowMessage("Unable to find resource DLL: " + name);
    return false;
  }

  const int resource_id = platform::ReadProfileInt(path, kDialogSection, "ResID", 0);
  if (resource_id == 0 || !library->Contains("/dialogs/" + std::to_string(resource_id) + ".ui")) {
    app_.ui.ShowMessage("Unable to find Dialog resource");
    return false;
  }

  std::vector<engine::DlgGetItem>& items = expander.prompt_items();
  items.clear();
  if (!engine::ReadTemplateLines(
          path, expander.argument_count(),
          [&](std::string& text) { CollectDlgGetItems(expander, text); }, expander.notifier())) {
    return false;
  }
  if (items.empty()) return true;

  PromptDialog dialog = DescribePromptDialog(path, items);
  dialog.library_path = library_path;
  dialog.resource_id = resource_id;
  if (!app_.ui.RunPrompt(dialog)) return false;
  ApplyPromptAnswers(path, dialog, items);
  return true;
}

}  // namespace quorvan
