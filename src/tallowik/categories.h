// The base-class categories of a configuration as the Base Classes page edits them:
// the list read from and written to the store, the sorted place of a name, the checks
// of the "Base Class Category" dialog and what its two Browse buttons fill in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"

namespace tallowik {

inline constexpr std::string_view kBaseClassesKey = "Base Classes";
inline constexpr std::string_view kCategoryCount = "Number";
inline constexpr std::string_view kCategoryName = "Class Description";
inline constexpr std::string_view kDefaultSpecificLabel = "Class S&pecific String";

struct BaseClassCategory {
  std::string name;             // "Class Description"i of "Base Classes"
  std::string base_class;       // "Base Class"
  std::string header_template;  // "Header Template"
  std::string source_template;  // "Source Template"
  std::string specific_prompt;  // "Class Specific Prompt"
  bool add_to_clw = false;      // "Add to CLW"
  bool operator==(const BaseClassCategory&) const = default;
};

// The categories of the configuration in force in stored order; an index whose name
// is empty is skipped. A negative "Number" reads as none.
std::vector<BaseClassCategory> LoadCategories(const config::Settings& settings);

// Writes "Number" and, for each category in the given order with i its position,
// "Class Description"i and the five values of category key i. Keys at or above the
// new count stay in the store, no longer read.
void SaveCategories(const config::Settings& settings,
                    const std::vector<BaseClassCategory>& categories);

// Compares as a sorted list does: letters without regard to case.
int CompareListText(std::string_view a, std::string_view b);
// Whether `text` begins with `prefix`, letters compared without regard to case.
bool BeginsIgnoringCase(std::string_view text, std::string_view prefix);

// Where a new entry named `name` goes in a list sorted by CompareListText: after
// every entry that does not sort after it, so equal names keep their arrival order.
std::size_t SortedPosition(const std::vector<BaseClassCategory>& categories, std::string_view name);

// The outcome of the category dialog's OK, checked in this order: the name, the
// header template, the implementation template (each a message and the field to
// focus), then an empty default base class (a Yes/No question).
struct CategoryCheck {
  enum class Field { kNone, kName, kHeaderTemplate, kSourceTemplate, kBaseClass };
  enum class Outcome { kAccept, kRefuse, kAskAboutBaseClass };
  Outcome outcome = Outcome::kAccept;
  Field field = Field::kNone;
  std::string message;
};
inline constexpr std::string_view kNoBaseClassQuestion =
    "No default base class specified, are you sure you want to exit?";
CategoryCheck CheckCategory(const BaseClassCategory& category);

// What the dialog keeps after its checks passed: an empty prompt becomes
// kDefaultSpecificLabel.
BaseClassCategory FinishCategory(BaseClassCategory category);

// A template chosen by browsing: the chosen file's name without its directory for
// the field browsed for, and for the other field, when it is empty, the name without
// directory and extension followed by `other_extension` (".CPP" or ".H").
struct BrowsedTemplate {
  std::string chosen;
  std::string other;  // empty: the other field stays as it is
};
BrowsedTemplate BrowseResult(std::string_view chosen_path, std::string_view other_field,
                             std::string_view other_extension);

// The directory part of a chosen path (up to its last "/"), the one the next browse
// starts in.
std::string DirectoryOf(std::string_view path);

}  // namespace tallowik
