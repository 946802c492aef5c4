// The main page ("Generator") without its widgets: the class description the user
// builds, the three lists and their selections, the changed and pending-generation
// flags, and the rules that tie them together. The Qt page shows this state and feeds
// the user's edits back; generation without a window drives it the same way.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "tallowik/categories.h"
#include "tallowik/class_generator.h"
#include "tallowik/command_line.h"

namespace tallowik {

// The class-name rule: the name (at most 99 characters) without a leading "C" or
// "c", cut to 8 characters, upper-cased, with ".H" and ".CPP"; both empty when
// nothing is left. Characters are UTF-8 characters, so a file name never ends in
// half of one; only ASCII letters change case.
struct DerivedFileNames {
  std::string header;
  std::string source;
  bool operator==(const DerivedFileNames&) const = default;
};
DerivedFileNames FileNamesForClass(std::string_view class_name);

struct CategoryEntry {
  std::string name;
  int number = 0;  // the category key's index, not the list position
  bool operator==(const CategoryEntry&) const = default;
};

// The first entry that begins with `text` (letters without regard to case); the
// first entry for an empty text; nullopt when none matches or the list is empty.
std::optional<std::size_t> FindPrefix(const std::vector<std::string>& items, std::string_view text);

inline constexpr std::string_view kInsufficientInformation =
    "    Insufficient Information has been given to\n"
    "generate a class.  No class files will be generated.";

// What the page shows. Lists are kept sorted as the user sees them; a drop-down list
// with free text is its entries plus the text in its edit field.
struct MainPageValues {
  std::string class_name;
  std::string class_specific;
  std::string header_file;
  std::string source_file;
  std::string description;
  std::vector<CategoryEntry> categories;
  int category_index = -1;  // -1: none selected
  std::vector<std::string> base_classes;
  std::string base_class;
  std::vector<std::string> resources;
  std::string resource;
  bool add_to_clw = false;
  bool add_to_clw_enabled = true;
  std::string specific_label = std::string(kDefaultSpecificLabel);
};

class MainPageModel {
 public:
  MainPageModel(const config::Settings& settings, ProjectArguments project);

  MainPageValues& values() { return values_; }
  const MainPageValues& values() const { return values_; }
  const std::string& class_wizard_file() const { return class_wizard_file_; }
  bool changed() const { return changed_; }
  bool pending_generation() const { return pending_; }

  // First display: the ClassWizard file as a full path of the current directory,
  // `Refresh` with the resources, and the check box disabled for good when the file
  // is missing or not both readable and writable.
  void SetUp();
  // `RefreshMainPage`: the base-class list (category base classes, then the
  // ClassWizard classes, duplicates ignoring case left out), the resource list when
  // asked, the category list, the last-used values, the class-specific label.
  void Refresh(bool with_resources);
  // `ApplyCategoryDefaults` for the selected category: its default base class (when
  // it begins an entry), its "Add to CLW" and its label.
  void ApplyCategoryDefaults();
  // A selection change of the category list.
  void SelectCategory(int index);
  // The user edited the class name: the file names follow and the page is changed.
  void SetClassName(std::string class_name);

  // The category number stored with the selected entry.
  std::optional<int> SelectedCategoryNumber() const;

  // Becoming active: changed comes back from the pending flag, the lists are
  // refreshed (not the resources).
  void Activate();
  // Stopping being active. A changed page that lacks the class name or a file name
  // asks `confirm` (the OK / Cancel question kInsufficientInformation); false from it
  // refuses to leave. Otherwise the last-used values are saved and the pending
  // generation becomes the changed state.
  bool Leave(const std::function<bool(std::string_view question)>& confirm);
  // The page's commit: generates when a generation is pending; after a generation
  // the flags clear and the last-used values are saved. nullopt when nothing was
  // pending.
  std::optional<GenerationResult> Commit(ClassGenerator& generator);
  // `ReloadPage` after a configuration switch.
  void Reload();
  bool IsClean() const { return !changed_ && !pending_; }

  GenerationRequest Request() const;
  void SaveLastUsed() const;

 private:
  void FillBaseClasses();
  void FillResources();
  void FillCategories();
  void ApplyLastUsed();
  void UpdateSpecificLabel();
  int CategoryCountStored() const;

  const config::Settings& settings_;
  ProjectArguments project_;
  std::string class_wizard_file_;
  MainPageValues values_;
  bool changed_ = false;
  bool pending_ = false;
};

}  // namespace tallowik
