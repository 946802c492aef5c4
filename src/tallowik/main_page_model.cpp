#include "tallowik/main_page_model.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "tallowik/class_wizard_file.h"
#include "tallowik/utf8_text.h"

namespace tallowik {
namespace {

constexpr std::size_t kClassNameChars = 99;
constexpr std::size_t kFileStemChars = 8;

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool ListedIgnoringCase(const std::vector<std::string>& items, std::string_view text) {
  return std::any_of(items.begin(), items.end(),
                     [text](const std::string& item) { return CompareListText(item, text) == 0; });
}

// Adds `text` at its sorted place, after the entries equal to it.
void InsertSorted(std::vector<std::string>& items, std::string text) {
  auto at = std::upper_bound(
      items.begin(), items.end(), text,
      [](const std::string& a, const std::string& b) { return CompareListText(a, b) < 0; });
  items.insert(at, std::move(text));
}

bool IsReadableWritableFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         access(path.c_str(), R_OK | W_OK) == 0;
}

}  // namespace

DerivedFileNames FileNamesForClass(std::string_view class_name) {
  std::string_view name = FirstCharacters(class_name, kClassNameChars);
  if (!name.empty() && (name.front() == 'C' || name.front() == 'c')) name.remove_prefix(1);
  if (name.empty()) return {};
  const std::string stem = UpperCase(std::string(FirstCharacters(name, kFileStemChars)));
  return {stem + ".H", stem + ".CPP"};
}

std::optional<std::size_t> FindPrefix(const std::vector<std::string>& items,
                                      std::string_view text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (BeginsIgnoringCase(items[i], text)) return i;
  }
  return std::nullopt;
}

MainPageModel::MainPageModel(const config::Settings& settings, ProjectArguments project)
    : settings_(settings), project_(std::move(project)) {}

void MainPageModel::SetUp() {
  class_wizard_file_ = ClassWizardFileName(project_.project_name);
  Refresh(true);
  values_.add_to_clw_enabled = IsReadableWritableFile(class_wizard_file_);
}

void MainPageModel::Refresh(bool with_resources) {
  FillBaseClasses();
  if (with_resources) FillResources();
  FillCategories();
  ApplyLastUsed();
  UpdateSpecificLabel();
}

int MainPageModel::CategoryCountStored() const {
  return settings_.ReadSettingNumber(kBaseClassesKey, kCategoryCount, 0);
}

void MainPageModel::FillBaseClasses() {
  const std::string configuration = settings_.CurrentConfiguration();
  std::vector<std::string>& items = values_.base_classes;
  items.clear();
  const int count = CategoryCountStored();
  for (int i = 0; i < count; ++i) {
    std::string base = settings_.ReadSetting(configuration, CategoryKey(i), "Base Class", "");
    if (!base.empty() && !ListedIgnoringCase(items, base)) InsertSorted(items, std::move(base));
  }
  for (std::string& name : ListClwClasses(class_wizard_file_)) {
    if (!ListedIgnoringCase(items, name)) InsertSorted(items, std::move(name));
  }
  values_.base_class = items.empty() ? std::string() : items.front();
}

void MainPageModel::FillResources() {
  std::vector<std::string>& items = values_.resources;
  items.clear();
  for (std::string& name : ListClwResources(class_wizard_file_)) {
    if (std::find(items.begin(), items.end(), name) == items.end()) {
      InsertSorted(items, std::move(name));
    }
  }
  values_.resource = items.empty() ? std::string() : items.front();
}

void MainPageModel::FillCategories() {
  const std::string configuration = settings_.CurrentConfiguration();
  std::vector<CategoryEntry>& entries = values_.categories;
  entries.clear();
  const int count = CategoryCountStored();
  for (int i = 0; i < count; ++i) {
    std::string name = settings_.ReadSetting(configuration, kBaseClassesKey, kCategoryName, i, "");
    if (name.empty()) continue;
    const bool listed = std::any_of(entries.begin(), entries.end(), [&](const CategoryEntry& e) {
      return CompareListText(e.name, name) == 0;
    });
    if (listed) continue;
    auto at = std::upper_bound(entries.begin(), entries.end(), name,
                               [](const std::string& n, const CategoryEntry& e) {
                                 return CompareListText(n, e.name) < 0;
                               });
    entries.insert(at, CategoryEntry{std::move(name), i});
  }
  values_.category_index = entries.empty() ? -1 : 0;
}

void MainPageModel::ApplyLastUsed() {
  const LastUsed last = LoadLastUsed(class_wizard_file_);
  std::vector<std::string> names;
  for (const CategoryEntry& entry : values_.categories) names.push_back(entry.name);
  if (auto found = FindPrefix(names, last.base_desc)) {
    values_.category_index = static_cast<int>(*found);
  }
  if (auto found = FindPrefix(values_.base_classes, last.base_class)) {
    values_.base_class = values_.base_classes[*found];
  } else {
    ApplyCategoryDefaults();
  }
  if (auto found = FindPrefix(values_.resources, last.resource)) {
    values_.resource = values_.resources[*found];
  }
  values_.add_to_clw = last.add_to_clw != 0;
}

std::optional<int> MainPageModel::SelectedCategoryNumber() const {
  const int index = values_.category_index;
  if (index < 0 || index >= static_cast<int>(values_.categories.size())) return std::nullopt;
  return values_.categories[static_cast<std::size_t>(index)].number;
}

void MainPageModel::ApplyCategoryDefaults() {
  const std::optional<int> number = SelectedCategoryNumber();
  // Without a selection there is no category key to read; the fields stay.
  if (number) {
    const std::string configuration = settings_.CurrentConfiguration();
    const std::string key = CategoryKey(*number);
    const std::string base = settings_.ReadSetting(configuration, key, "Base Class", "");
    if (auto found = FindPrefix(values_.base_classes, base)) {
      values_.base_class = values_.base_classes[*found];
    }
    values_.add_to_clw = settings_.ReadSettingNumber(configuration, key, "Add to CLW", 0) != 0;
  }
  UpdateSpecificLabel();
}

void MainPageModel::UpdateSpecificLabel() {
  const std::optional<int> number = SelectedCategoryNumber();
  if (!number || *number < 0 || *number > static_cast<int>(values_.categories.size())) return;
  const std::string prompt =
      settings_.ReadSetting(CategoryKey(*number), "Class Specific Prompt", "");
  values_.specific_label = prompt.empty() ? std::string(kDefaultSpecificLabel) : prompt;
}

void MainPageModel::SelectCategory(int index) {
  values_.category_index =
      index >= 0 && index < static_cast<int>(values_.categories.size()) ? index : -1;
  ApplyCategoryDefaults();
}

void MainPageModel::SetClassName(std::string class_name) {
  values_.class_name = std::move(class_name);
  DerivedFileNames names = FileNamesForClass(values_.class_name);
  values_.header_file = std::move(names.header);
  values_.source_file = std::move(names.source);
  changed_ = true;
}

void MainPageModel::Activate() {
  changed_ = pending_;
  FillBaseClasses();
  FillCategories();
  ApplyLastUsed();
  UpdateSpecificLabel();
}

bool MainPageModel::Leave(const std::function<bool(std::string_view question)>& confirm) {
  if (changed_ &&
      (values_.class_name.empty() || values_.header_file.empty() || values_.source_file.empty())) {
    if (!confirm(kInsufficientInformation)) return false;
    changed_ = false;
  }
  SaveLastUsed();
  pending_ = changed_;
  changed_ = false;
  return true;
}

std::optional<GenerationResult> MainPageModel::Commit(ClassGenerator& generator) {
  if (!pending_) return std::nullopt;
  const GenerationResult result = generator.GenerateClass(Request());
  if (result == GenerationResult::kGenerated) {
    changed_ = false;
    pending_ = false;
    SaveLastUsed();
  }
  return result;
}

void MainPageModel::Reload() {
  Refresh(true);
  changed_ = false;
  pending_ = false;
}

GenerationRequest MainPageModel::Request() const {
  GenerationRequest request;
  ClassFields& f = request.fields;
  f.project_dir = project_.project_directory;
  f.project = project_.project_name;
  f.description = values_.description;
  f.base_class = values_.base_class;
  f.class_name = values_.class_name;
  f.resource_id = values_.resource;
  f.class_specific = values_.class_specific;
  f.header_file = values_.header_file;
  f.source_file = values_.source_file;
  request.category = SelectedCategoryNumber();
  request.add_to_class_wizard = values_.add_to_clw && values_.add_to_clw_enabled;
  request.class_wizard_file = class_wizard_file_;
  return request;
}

void MainPageModel::SaveLastUsed() const {
  LastUsed last;
  if (values_.category_index >= 0 &&
      values_.category_index < static_cast<int>(values_.categories.size())) {
    last.base_desc = values_.categories[static_cast<std::size_t>(values_.category_index)].name;
  }
  last.base_class = values_.base_class;
  last.resource = values_.resource;
  last.add_to_clw = values_.add_to_clw ? 1 : 0;
  tallowik::SaveLastUsed(class_wizard_file_, last);
}

}  // namespace tallowik
