#include "config/settings.h"

#include <gtest/gtest.h>

#include "config/memory_store.h"

namespace config {
namespace {

TEST(Settings, AnEmptyTreeGivesTheBuiltInDefaults) {
  MemoryStore store;
  Settings settings(store);
  EXPECT_EQ(settings.CurrentConfiguration(), "Default");
  struct Case {
    const char* subsection;  // nullptr: the "Configurations" section
    const char* name;
    std::int32_t value;
  } cases[] = {
      {"Defaults", "Auto Paste", 1},
      {"Defaults", "Member Grouping", 1002},
      {"Defaults", "Last Filter Show State", 1011},
      {nullptr, "Number of Configs", 0},
  };
  for (const Case& c : cases) {
    std::int32_t read = c.subsection
                            ? settings.ReadSettingNumber(c.subsection, c.name, c.value)
                            : settings.ReadSectionNumber("Configurations", c.name, c.value);
    EXPECT_EQ(read, c.value) << c.name;
  }
  EXPECT_EQ(settings.ReadSetting("Defaults", "Function Header File", "FCNHDR.CTL"), "FCNHDR.CTL");
  // Reads leave their keys behind.
  EXPECT_TRUE(store.HasKey({"Default", "Defaults"}));
  EXPECT_TRUE(store.HasKey({"Configurations"}));
}

TEST(Settings, CurrentConfiguration) {
  MemoryStore store;
  Settings settings(store);
  // A "Last Configuration" no longer in the list is still the one in force.
  settings.WriteSectionNumber("Configurations", "Number of Configs", 0);
  settings.WriteSectionValue("Configurations", "Last Configuration", "Gone");
  settings.WriteSetting("gone", "Defaults", "User ID", "old");
  EXPECT_EQ(settings.CurrentConfiguration(), "Gone");
  EXPECT_EQ(settings.ReadSetting("Defaults", "User ID", ""), "old");
  EXPECT_EQ(settings.ReadSettingNumber("Defaults", "Auto Paste", 1), 1);

  std::optional<std::string> chooser = "Project";
  settings.SetChooserHook([&] { return chooser; });
  EXPECT_EQ(settings.CurrentConfiguration(), "Project");
  settings.WriteSetting("Defaults", "User ID", "p");
  settings.WriteSettingNumber("Defaults", "Auto Paste", 0);
  EXPECT_EQ(settings.ReadSetting("PROJECT", "Defaults", "User ID", ""), "p");
  EXPECT_EQ(settings.ReadSettingNumber("project", "DEFAULTS", "auto paste", 1), 0);
  chooser = "";
  EXPECT_EQ(settings.CurrentConfiguration(), "Default");
  chooser.reset();
  EXPECT_EQ(settings.CurrentConfiguration(), "Gone");
  settings.WriteSectionValue("Configurations", "Last Configuration", "");
  EXPECT_EQ(settings.CurrentConfiguration(), "Default");
}

TEST(Settings, IndexedNames) {
  struct Case {
    const char* base;
    int index;
    const char* expected;
  } cases[] = {
      {"Configuration", 0, "Configuration0"},       {"User Holder", 2, "User Holder2"},
      {"User Replacement", 2, "User Replacement2"}, {"Class Description", 0, "Class Description0"},
      {"Class Number ", 0, "Class Number 0"},       {"Configuration", 12, "Configuration12"},
  };
  for (const Case& c : cases) EXPECT_EQ(IndexedName(c.base, c.index), c.expected);

  MemoryStore store;
  Settings settings(store);
  settings.WriteSetting("Default", "User Strings", "User Holder", 2, "h");
  EXPECT_EQ(settings.ReadSetting("Default", "User Strings", "User Holder2", ""), "h");
  settings.WriteSectionValue("Configurations", "Configuration", 1, "B");
  EXPECT_EQ(settings.ReadSectionValue("Configurations", "Configuration1", ""), "B");
  EXPECT_EQ(settings.ReadSectionValue("Configurations", "Configuration", 1, ""), "B");
  settings.WriteSetting("Default", IndexedName("Class Number ", 0), "Base Class", "CDialog");
  EXPECT_TRUE(store.HasKey({"Default", "Class Number 0"}));
}

TEST(Settings, ReadsWorkOnTheStoredBytes) {
  struct Case {
    const char* name;
    StoredValue stored;
    std::string as_text;     // default "dflt"
    std::int32_t as_number;  // default 99
  } cases[] = {
      {"text of 5 bytes", StoredValue::Text("abcd"), "abcd", 99},
      {"text of 4 bytes", StoredValue::Text("abc"), "abc", 0x636261},
      {"text of 2 bytes", StoredValue::Text("a"), "a", 0x61},
      {"empty text", StoredValue::Text(""), "", 0},
      {"number", StoredValue::Number(0x00434241), "ABC", 0x00434241},
      {"number, zero byte first", StoredValue::Number(0x4100), "", 0x4100},
      {"number, low byte only", StoredValue::Number(1), "\x01", 1},
      {"negative", StoredValue::Number(-2), "\xFE\xFF\xFF\xFF", -2},
      {"binary of 3 bytes", {kTypeBinary, std::string("x\0y", 3)}, "x", 0x790078},
      {"no bytes", {kTypeBinary, ""}, "", 99},
      {"text without zero", {kTypeText, "wxyz"}, "wxyz", 0x7a797877},
  };
  for (const Case& c : cases) {
    MemoryStore store;
    Settings settings(store);
    ASSERT_TRUE(store.Write({"Default", "Defaults"}, "V", c.stored));
    EXPECT_EQ(settings.ReadSetting("Default", "Defaults", "V", "dflt"), c.as_text) << c.name;
    EXPECT_EQ(settings.ReadSettingNumber("Default", "Defaults", "V", 99), c.as_number) << c.name;
  }
}

TEST(Settings, WritesStoreTheRegistryTypes) {
  MemoryStore store;
  Settings settings(store);
  settings.WriteSectionValue("Configurations", "Last Configuration", "ab");
  settings.WriteSectionNumber("Configurations", "Number of Configs", -2);
  EXPECT_EQ(store.Read({"Configurations"}, "Last Configuration"),
            (StoredValue{kTypeText, std::string("ab\0", 3)}));
  EXPECT_EQ(store.Read({"Configurations"}, "Number of Configs"),
            (StoredValue{kTypeNumber, "\xFE\xFF\xFF\xFF"}));
}

TEST(Settings, ABrokenStoreGivesDefaultsAndFalse) {
  MemoryStore store;
  store.SetBroken(true);
  Settings settings(store);
  EXPECT_EQ(settings.ReadSetting("Defaults", "User ID", "d"), "d");
  EXPECT_EQ(settings.ReadSectionNumber("Configurations", "Number of Configs", 0), 0);
  EXPECT_FALSE(settings.WriteSettingNumber("Defaults", "Auto Paste", 0));
  EXPECT_FALSE(settings.WriteSectionValue("Configurations", "Configuration", 0, "x"));
  EXPECT_EQ(settings.CurrentConfiguration(), "Default");
}

}  // namespace
}  // namespace config
