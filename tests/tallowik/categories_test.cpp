#include "tallowik/categories.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "config/memory_store.h"
#include "tallowik/class_generator.h"
#include "tallowik/user_strings.h"

namespace tallowik {
namespace {

using Field = CategoryCheck::Field;
using Outcome = CategoryCheck::Outcome;

TEST(CheckCategory, ChecksInOrderAndStopsAtTheFirstFailure) {
  const struct {
    BaseClassCategory category;
    Outcome outcome;
    Field field;
    const char* message;
  } cases[] = {
      {{"", "", "", "", "", false}, Outcome::kRefuse, Field::kName, "Class Description needed!!"},
      {{"Dlg", "", "", "X.CPP", "", false},
       Outcome::kRefuse,
       Field::kHeaderTemplate,
       "Header File Name needed!!"},
      {{"Dlg", "", "X.H", "", "", false},
       Outcome::kRefuse,
       Field::kSourceTemplate,
       "Source File Name needed!!"},
      {{"Dlg", "", "X.H", "X.CPP", "", false},
       Outcome::kAskAboutBaseClass,
       Field::kBaseClass,
       "No default base class specified, are you sure you want to exit?"},
      {{"Dlg", "CDialog", "X.H", "X.CPP", "", false}, Outcome::kAccept, Field::kNone, ""},
      {{" ", "\"", "$_Date", "\xc3\xa9.CPP", "", true}, Outcome::kAccept, Field::kNone, ""},
  };
  for (const auto& c : cases) {
    const CategoryCheck check = CheckCategory(c.category);
    EXPECT_EQ(check.outcome, c.outcome) << c.message;
    EXPECT_EQ(check.field, c.field) << c.message;
    EXPECT_EQ(check.message, c.message);
  }
  EXPECT_EQ(FinishCategory({"Dlg", "", "X.H", "X.CPP", "", false}).specific_prompt,
            "Class S&pecific String");
  EXPECT_EQ(FinishCategory({"Dlg", "", "X.H", "X.CPP", "ID", false}).specific_prompt, "ID");
}

TEST(BrowseResult, KeepsTheNameAndProposesTheOtherTemplate) {
  const struct {
    const char* path;
    const char* other_field;
    const char* extension;
    const char* chosen;
    const char* other;
  } cases[] = {
      {"/tpl/DIALOG.H", "", ".CPP", "DIALOG.H", "DIALOG.CPP"},
      {"/tpl/DIALOG.H", "MINE.CPP", ".CPP", "DIALOG.H", ""},
      {"C:\\TPL\\DIALOG.H", "", ".CPP", "DIALOG.H", "DIALOG.CPP"},
      {"/tpl/view.cpp", "", ".H", "view.cpp", "view.H"},
      {"/tpl/a.b.hpp", "", ".CPP", "a.b.hpp", "a.b.CPP"},
      {"/tpl/NOEXT", "", ".H", "NOEXT", "NOEXT.H"},
  };
  for (const auto& c : cases) {
    const BrowsedTemplate result = BrowseResult(c.path, c.other_field, c.extension);
    EXPECT_EQ(result.chosen, c.chosen) << c.path;
    EXPECT_EQ(result.other, c.other) << c.path;
  }
  EXPECT_EQ(DirectoryOf("/tpl/x/DIALOG.H"), "/tpl/x");
  EXPECT_EQ(DirectoryOf("/DIALOG.H"), "/");
}

TEST(Categories, CommitRenumbersInListOrderAndLeavesStaleKeys) {
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSettingNumber("Default", "Base Classes", "Number", 3);
  settings.WriteSetting("Default", "Base Classes", "Class Description", 0, "Zeta");
  settings.WriteSetting("Default", "Base Classes", "Class Description", 2, "Alpha");
  settings.WriteSetting("Default", CategoryKey(2), "Base Class", "CAlpha");
  settings.WriteSettingNumber("Default", CategoryKey(2), "Add to CLW", 1);

  std::vector<BaseClassCategory> loaded = LoadCategories(settings);
  ASSERT_EQ(loaded.size(), 2u) << "the empty name is skipped";
  EXPECT_EQ(loaded[1], (BaseClassCategory{"Alpha", "CAlpha", "", "", "", true}));
  std::sort(loaded.begin(), loaded.end(),
            [](const auto& a, const auto& b) { return CompareListText(a.name, b.name) < 0; });
  SaveCategories(settings, loaded);

  EXPECT_EQ(settings.ReadSettingNumber("Default", "Base Classes", "Number", 0), 2);
  EXPECT_EQ(settings.ReadSetting("Default", "Base Classes", "Class Description0", ""), "Alpha");
  EXPECT_EQ(settings.ReadSetting("Default", CategoryKey(0), "Base Class", ""), "CAlpha");
  EXPECT_EQ(settings.ReadSettingNumber("Default", CategoryKey(0), "Add to CLW", -1), 1);
  EXPECT_EQ(settings.ReadSetting("Default", "Base Classes", "Class Description1", ""), "Zeta");
  EXPECT_EQ(settings.ReadSettingNumber("Default", CategoryKey(1), "Add to CLW", -1), 0);
  EXPECT_EQ(settings.ReadSetting("Default", CategoryKey(2), "Base Class", ""), "CAlpha")
      << "the old key stays, no longer read";
  EXPECT_EQ(LoadCategories(settings).size(), 2u);
}

TEST(Categories, SortedPositionPutsEqualNamesAfterTheirTwins) {
  std::vector<BaseClassCategory> list(4);
  const char* names[] = {"alpha", "Beta", "beta", "Gamma"};
  for (int i = 0; i < 4; ++i) list[static_cast<std::size_t>(i)].name = names[i];
  EXPECT_EQ(SortedPosition(list, "BETA"), 3u);
  EXPECT_EQ(SortedPosition(list, "Aardvark"), 0u);
  EXPECT_EQ(SortedPosition(list, "zulu"), 4u);
}

TEST(UserStrings, ShownHolderKeepsFifteenCharactersAndShortensLonger) {
  const struct {
    const char* holder;
    const char* shown;
  } cases[] = {
      {"", ""},
      {"123456789012345", "123456789012345"},
      {"1234567890123456", "123456789012..."},
      // Characters, not bytes: twelve two-byte letters and never half of one.
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
       "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9",
       "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
       "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"},
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
       "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9X",
       "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"
       "\xc3\xa9..."},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownHolder(c.holder), c.shown) << c.holder;
  EXPECT_EQ(UserStringEntryText({"$_Co", "Acme\tInc"}), "$_Co\tAcme\tInc");
}

TEST(UserStrings, UpAndDownEnabling) {
  const struct {
    int selected, count;
    bool up, down;
  } cases[] = {{-1, 3, false, false}, {0, 3, false, true},  {1, 3, true, true},
               {2, 3, true, false},   {0, 1, false, false}, {5, 3, false, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(CanMoveUp(c.selected, c.count), c.up) << c.selected << "/" << c.count;
    EXPECT_EQ(CanMoveDown(c.selected, c.count), c.down) << c.selected << "/" << c.count;
  }
}

TEST(UserStrings, PairsWithAnEmptyPartAreDroppedAndStalePairsStay) {
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSettingNumber("Default", "User Strings", "Num User Replacements", 3);
  settings.WriteSetting("Default", "User Strings", "User Holder", 0, "A");
  settings.WriteSetting("Default", "User Strings", "User Replacement", 0, "");
  settings.WriteSetting("Default", "User Strings", "User Holder", 1, "B");
  settings.WriteSetting("Default", "User Strings", "User Replacement", 1, "b");
  settings.WriteSetting("Default", "User Strings", "User Holder", 2, "C");
  settings.WriteSetting("Default", "User Strings", "User Replacement", 2, "c");
  std::vector<UserStringPair> pairs = LoadUserStrings(settings);
  EXPECT_EQ(pairs, (std::vector<UserStringPair>{{"B", "b"}, {"C", "c"}}));
  SaveUserStrings(settings, pairs);
  EXPECT_EQ(settings.ReadSettingNumber("Default", "User Strings", "Num User Replacements", 0), 2);
  EXPECT_EQ(settings.ReadSetting("Default", "User Strings", "User Holder0", ""), "B");
  EXPECT_EQ(settings.ReadSetting("Default", "User Strings", "User Holder2", ""), "C");
}

}  // namespace
}  // namespace tallowik
