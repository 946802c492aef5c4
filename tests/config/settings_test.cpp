#include "config/settings.h"

#include <gtest/gtest.h>

#include "config/memory_store.h"

namespace config {
namespace {

TEST(Settings, EmptyTreeGivesTheBuiltInDefaults) {
  MemoryStore store;
  Settings settings(store);
  EXPECT_EQ(settings.CurrentConfiguration(), "Default");
  EXPECT_EQ(settings.ReadSettingNumber("Defaults", "Auto Paste", 1), 1);
  EXPECT_EQ(settings.ReadSettingNumber("Defaults", "Member Grouping", 1002), 1002);
  EXPECT_EQ(settings.ReadSectionNumber("Configurations", "Number of Configs", 0), 0);
  EXPECT_EQ(settings.ReadSetting("Defaults", "Function Header File", "FCNHDR.CTL"), "FCNHDR.CTL");
  // Reads leave their keys behind.
  EXPECT_TRUE(store.HasKey({"Default", "Defaults"}));
  EXPECT_TRUE(store.HasKey({"Configurations"}));
}

TEST(Settings, CurrentConfigurationFollowsLastConfigurationAndTheChooser) {
  MemoryStore store;
  Settings settings(store);
  settings.WriteSectionValue("Configurations", "Last Configuration", "Gone");
  settings.WriteSetting("gone", "Defaults", "User ID", "old");
  EXPECT_EQ(settings.CurrentConfiguration(), "Gone");
  EXPECT_EQ(settings.ReadSetting("Defaults", "User ID", ""), "old");  // names ignore case

  std::optional<std::string> chooser = "Project";
  settings.SetChooserHook([&] { return chooser; });
  EXPECT_EQ(settings.CurrentConfiguration(), "Project");
  settings.WriteSetting("Defaults", "User ID", "p");
  EXPECT_EQ(settings.ReadSetting("Project", "Defaults", "User ID", ""), "p");
  chooser.reset();
  EXPECT_EQ(settings.CurrentConfiguration(), "Gone");
}

TEST(Settings, IndexedNames) {
  EXPECT_EQ(IndexedName("User Holder", 2), "User Holder2");
  EXPECT_EQ(IndexedName("Configuration", 0), "Configuration0");
  MemoryStore store;
  Settings settings(store);
  settings.WriteSetting("Default", "User Strings", "User Replacement", 2, "r");
  EXPECT_EQ(settings.ReadSetting("Default", "User Strings", "User Replacement2", ""), "r");
  settings.WriteSectionValue("Configurations", "Configuration", 1, "B");
  EXPECT_EQ(settings.ReadSectionValue("Configurations", "Configuration", 1, ""), "B");
  settings.WriteSetting("Default", "Class Number 0", "Base Class", "CDialog");
  EXPECT_TRUE(store.HasKey({"Default", "Class Number 0"}));
}

TEST(Settings, ReadsWorkOnTheStoredBytes) {
  struct Case {
    const char* name;
    StoredValue stored;
    const char* as_text;
    std::int32_t as_number;  // default 99
  } cases[] = {
      {"long text", StoredValue::Text("abcd"), "abcd", 99},  // 5 bytes: no number
      {"text", StoredValue::Text("abc"), "abc", 0x636261},
      {"short text", StoredValue::Text("ab"), "ab", 0x6261},
      {"number", StoredValue::Number(0x00434241), "ABC", 0x00434241},
      {"number with zero first", StoredValue::Number(1), "\x01", 1},
      {"negative", StoredValue::Number(-2), "\xFE\xFF\xFF\xFF", -2},
      {"zero", StoredValue::Number(0), "", 0},
      {"binary", StoredValue{kTypeBinary, std::string("x\0y", 3)}, "x", 0x790078},
      {"empty", StoredValue{kTypeBinary, ""}, "", 0},
  };
  for (const Case& c : cases) {
    MemoryStore store;
    Settings settings(store);
    ASSERT_TRUE(store.Write({"Default", "Defaults"}, "V", c.stored));
    EXPECT_EQ(settings.ReadSetting("Default", "Defaults", "V", "dflt"), c.as_text) << c.name;
    EXPECT_EQ(settings.ReadSettingNumber("Default", "Defaults", "V", 99), c.as_number) << c.name;
  }
}

TEST(Settings, ABrokenStoreGivesDefaultsAndFalse) {
  MemoryStore store;
  store.SetBroken(true);
  Settings settings(store);
  EXPECT_EQ(settings.ReadSetting("Defaults", "User ID", "d"), "d");
  EXPECT_FALSE(settings.WriteSettingNumber("Defaults", "Auto Paste", 0));
  EXPECT_EQ(settings.CurrentConfiguration(), "Default");
}

}  // namespace
}  // namespace config
