#include "tallowik/categories.h"

#include <algorithm>

#include "tallowik/class_generator.h"
#include "tallowik/paths.h"

namespace tallowik {
namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view NameWithoutDirectory(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace

int CompareListText(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(Fold(a[i]));
    const unsigned char y = static_cast<unsigned char>(Fold(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool BeginsIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         CompareListText(text.substr(0, prefix.size()), prefix) == 0;
}

std::vector<BaseClassCategory> LoadCategories(const config::Settings& settings) {
  const std::string configuration = settings.CurrentConfiguration();
  std::vector<BaseClassCategory> categories;
  const int count = settings.ReadSettingNumber(configuration, kBaseClassesKey, kCategoryCount, 0);
  for (int i = 0; i < count; ++i) {
    BaseClassCategory category;
    category.name = settings.ReadSetting(configuration, kBaseClassesKey, kCategoryName, i, "");
    if (category.name.empty()) continue;
    const std::string key = CategoryKey(i);
    category.base_class = settings.ReadSetting(configuration, key, "Base Class", "");
    category.header_template = settings.ReadSetting(configuration, key, "Header Template", "");
    category.source_template = settings.ReadSetting(configuration, key, "Source Template", "");
    category.specific_prompt =
        settings.ReadSetting(configuration, key, "Class Specific Prompt", "");
    category.add_to_clw = settings.ReadSettingNumber(configuration, key, "Add to CLW", 0) != 0;
    categories.push_back(std::move(category));
  }
  return categories;
}

void SaveCategories(const config::Settings& settings,
                    const std::vector<BaseClassCategory>& categories) {
  const std::string configuration = settings.CurrentConfiguration();
  settings.WriteSettingNumber(configuration, kBaseClassesKey, kCategoryCount,
                              static_cast<std::int32_t>(categories.size()));
  for (std::size_t i = 0; i < categories.size(); ++i) {
    const BaseClassCategory& c = categories[i];
    const int index = static_cast<int>(i);
    settings.WriteSetting(configuration, kBaseClassesKey, kCategoryName, index, c.name);
    const std::string key = CategoryKey(index);
    settings.WriteSetting(configuration, key, "Base Class", c.base_class);
    settings.WriteSetting(configuration, key, "Header Template", c.header_template);
    settings.WriteSetting(configuration, key, "Source Template", c.source_template);
    settings.WriteSetting(configuration, key, "Class Specific Prompt", c.specific_prompt);
    settings.WriteSettingNumber(configuration, key, "Add to CLW", c.add_to_clw ? 1 : 0);
  }
}

std::size_t SortedPosition(const std::vector<BaseClassCategory>& categories,
                           std::string_view name) {
  std::size_t position = 0;
  while (position < categories.size() && CompareListText(categories[position].name, name) <= 0) {
    ++position;
  }
  return position;
}

CategoryCheck CheckCategory(const BaseClassCategory& category) {
  using Field = CategoryCheck::Field;
  using Outcome = CategoryCheck::Outcome;
  if (category.name.empty()) return {Outcome::kRefuse, Field::kName, "Class Description needed!!"};
  if (category.header_template.empty()) {
    return {Outcome::kRefuse, Field::kHeaderTemplate, "Header File Name needed!!"};
  }
  if (category.source_template.empty()) {
    return {Outcome::kRefuse, Field::kSourceTemplate, "Source File Name needed!!"};
  }
  if (category.base_class.empty()) {
    return {Outcome::kAskAboutBaseClass, Field::kBaseClass, std::string(kNoBaseClassQuestion)};
  }
  return {};
}

BaseClassCategory FinishCategory(BaseClassCategory category) {
  if (category.specific_prompt.empty()) category.specific_prompt = kDefaultSpecificLabel;
  return category;
}

BrowsedTemplate BrowseResult(std::string_view chosen_path, std::string_view other_field,
                             std::string_view other_extension) {
  BrowsedTemplate result;
  result.chosen = NameWithoutDirectory(chosen_path);
  if (other_field.empty())
    result.other = CutAtLastPeriod(result.chosen) + std::string(other_extension);
  return result;
}

std::string DirectoryOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

}  // namespace tallowik
