#include "config/registry_file.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#include "config/registry_format.h"
#include "config/settings.h"
#include "support/temp_dir.h"

namespace config {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) saved_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { had_ ? setenv(name_, saved_.c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::string saved_;
  bool had_ = false;
};

ino_t InodeOf(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

std::vector<std::string> AsideFiles(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    std::string name = entry.path().filename().string();
    if (name.rfind("Tallowick.reg.broken-", 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RegistryFile, DefaultPath) {
  const passwd* pw = getpwuid(getuid());
  ASSERT_TRUE(pw);
  const std::string tail = "/.config/Brackwater Software/Tallowick.reg";
  struct Case {
    const char* xdg;
    const char* home;
    std::string expected;
  } cases[] = {
      {"/x/cfg", "/h", "/x/cfg/Brackwater Software/Tallowick.reg"},
      {"relative/cfg", "/h", "/h" + tail},
      {"", "/h", "/h" + tail},
      {nullptr, "/h", "/h" + tail},
      {nullptr, nullptr, std::string(pw->pw_dir) + tail},
  };
  for (const Case& c : cases) {
    ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
    ScopedEnv home("HOME", c.home);
    EXPECT_EQ(DefaultRegistryPath(), c.expected);
  }
}

TEST(RegistryFile, WritesTheRegedit4Form) {
  TempDir dir;
  std::string path = dir.File("cfg/Brackwater Software/Tallowick.reg");
  RegistryFileStore store(path);
  Settings settings(store);
  ASSERT_TRUE(settings.WriteSetting("Default", "Defaults", "User ID", "j\"d\\oe"));
  ASSERT_TRUE(settings.WriteSettingNumber("Default", "Defaults", "Auto Paste", 10));
  ASSERT_TRUE(settings.WriteSetting("Default", "Defaults", "Tabbed", "a\tb"));
  ASSERT_TRUE(settings.WriteSectionNumber("Configurations", "Number of Configs", 0));
  const std::string root = "HKEY_CURRENT_USER\\Software";
  EXPECT_EQ(ReadFile(path), "REGEDIT4\n\n[" + root + "]\n\n[" + root +
                                "\\Brackwater Software]\n\n[" + root +
                                "\\Brackwater Software\\Tallowick]\n\n[" + root +
                                "\\Brackwater Software\\Tallowick\\Default]\n\n[" + root +
                                "\\Brackwater Software\\Tallowick\\Default\\Defaults]\n"
                                "\"User ID\"=\"j\\\"d\\\\oe\"\n"
                                "\"Auto Paste\"=dword:0000000a\n"
                                "\"Tabbed\"=hex(1):61,09,62,00\n\n[" +
                                root +
                                "\\Brackwater Software\\Tallowick\\Configurations]\n"
                                "\"Number of Configs\"=dword:00000000\n\n");
}

TEST(RegistryFile, ReadsCreateTheirKeysOnce) {
  TempDir dir;
  std::string path = dir.File("new/dir/Tallowick.reg");
  {
    RegistryFileStore store(path);
    EXPECT_EQ(Settings(store).ReadSettingNumber("Defaults", "Auto Paste", 1), 1);
  }
  struct stat st {};
  ASSERT_EQ(stat(dir.File("new/dir").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  std::string text = ReadFile(path);
  EXPECT_NE(text.find("\\Tallowick\\Configurations]"), std::string::npos) << text;
  EXPECT_NE(text.find("\\Tallowick\\Default\\Defaults]"), std::string::npos) << text;
  EXPECT_EQ(text.find('='), std::string::npos);  // keys only, no values

  // Reading again, or writing what is already stored, leaves the file as it is.
  ino_t inode = InodeOf(path);
  RegistryFileStore store(path);
  Settings settings(store);
  EXPECT_EQ(settings.ReadSetting("Default", "Defaults", "User ID", "none"), "none");
  ASSERT_TRUE(settings.WriteSetting("Default", "Defaults", "User ID", "x"));
  ino_t written = InodeOf(path);
  EXPECT_NE(written, inode);
  ASSERT_TRUE(settings.WriteSetting("default", "defaults", "user id", "x"));
  EXPECT_EQ(InodeOf(path), written);
}

TEST(RegistryFile, ValuesAndNamesSurviveAFreshStore) {
  struct Case {
    KeyPath written;
    KeyPath read;
    const char* name;
    StoredValue value;
  } cases[] = {
      {{"MyProject", "Defaults"}, {"MYPROJECT", "defaults"}, "User ID", StoredValue::Text("a")},
      {{"Proj [old]", "Defaults"}, {"proj [OLD]", "Defaults"}, "x]", StoredValue::Number(7)},
      {{"Outer\\Inner", "Defaults"}, {"outer", "inner\\defaults"}, "", StoredValue::Text("@")},
      {{"Default", "Class Number 0"},
       {"Default", "Class Number 0"},
       "Add to CLW",
       StoredValue::Number(-5)},
      {{"Default", "Defaults"}, {"Default", "Defaults"}, "Ctl", StoredValue::Text("\x01\x1f")},
  };
  TempDir dir;
  std::string path = dir.File("Tallowick.reg");
  {
    RegistryFileStore store(path);
    for (const Case& c : cases) ASSERT_TRUE(store.Write(c.written, c.name, c.value)) << c.name;
    ASSERT_TRUE(store.Write({"myproject", "DEFAULTS"}, "USER ID", StoredValue::Text("b")));
  }
  RegistryFileStore fresh(path);
  for (const Case& c : cases) {
    std::optional<StoredValue> read = fresh.Read(c.read, c.name);
    ASSERT_TRUE(read) << c.name;
    if (std::string(c.name) != "User ID") {
      EXPECT_EQ(*read, c.value) << c.name;
    }
  }
  EXPECT_EQ(fresh.Read({"MyProject", "Defaults"}, "user id"), StoredValue::Text("b"));
  std::string text = ReadFile(path);
  EXPECT_NE(text.find("\\MyProject\\Defaults]\n\"User ID\"=\"b\""), std::string::npos) << text;
  EXPECT_EQ(text.find("MYPROJECT"), std::string::npos);
  EXPECT_EQ(text.find("USER ID"), std::string::npos);
}

TEST(RegistryFile, SeesEveryWriteOfAnotherStore) {
  TempDir dir;
  RegistryFileStore writer(dir.File("Tallowick.reg"));
  RegistryFileStore reader(dir.File("Tallowick.reg"));
  for (int i = 100; i < 130; ++i) {
    ASSERT_TRUE(Settings(writer).WriteSetting("Default", "Defaults", "N", std::to_string(i)));
    EXPECT_EQ(Settings(reader).ReadSetting("Default", "Defaults", "N", ""), std::to_string(i));
  }
}

TEST(RegistryFile, ABrokenFileIsMovedAsideAndNeverOverwritten) {
  const std::string broken[] = {
      "garbage",
      std::string("\xFF\xFE"
                  "W\0i\0n\0d\0o\0w\0s\0",
                  16),
      std::string("REGEDIT4\n[k]\n\"v\"=\"a\0b", 20),
      "REGEDIT4\n[HKEY_CURRENT_USER\\x]\nnot a value line\n",
  };
  for (const std::string& contents : broken) {
    TempDir dir;
    std::string path = dir.Write("Tallowick.reg", contents);
    // Names the move could pick in the next seconds are taken already.
    std::time_t now = std::time(nullptr);
    for (int s = 0; s < 3; ++s) {
      std::time_t t = now + s;
      std::tm tm{};
      localtime_r(&t, &tm);
      char stamp[32];
      std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
      dir.Write(std::string("Tallowick.reg.broken-") + stamp, "decoy");
    }
    RegistryFileStore store(path);
    Settings settings(store);
    testing::internal::CaptureStderr();
    EXPECT_EQ(settings.ReadSetting("Default", "Defaults", "User ID", "d"), "d");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be read"), std::string::npos);
    EXPECT_TRUE(ParseRegistryText(ReadFile(path)));
    ASSERT_TRUE(settings.WriteSetting("Default", "Defaults", "User ID", "new"));
    EXPECT_EQ(RegistryFileStore(path).Read({"Default", "Defaults"}, "User ID"),
              StoredValue::Text("new"));
    int decoys = 0, kept = 0;
    for (const std::string& name : AsideFiles(dir)) {
      std::string aside = ReadFile(dir.File(name));
      decoys += aside == "decoy";
      kept += aside == contents;
    }
    EXPECT_EQ(decoys, 3);
    EXPECT_EQ(kept, 1);
  }
}

TEST(RegistryFile, AnOversizedFileIsMovedAsideUnread) {
  TempDir dir;
  std::string path = dir.Write("Tallowick.reg", "REGEDIT4\n");
  ASSERT_EQ(truncate(path.c_str(), off_t{65} << 20), 0);  // sparse: no disk used
  RegistryFileStore store(path);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(store.Read({"Default"}, "v"));
  testing::internal::GetCapturedStderr();
  std::vector<std::string> aside = AsideFiles(dir);
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(std::filesystem::file_size(dir.File(aside[0])), std::uintmax_t{65} << 20);
}

TEST(RegistryFile, SomethingElseInThePlaceOfTheFileFailsQuietly) {
  TempDir dir;
  std::string fifo = dir.File("fifo.reg");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string directory = dir.File("directory.reg");
  ASSERT_EQ(mkdir(directory.c_str(), 0700), 0);
  for (const std::string& path : {fifo, directory}) {
    RegistryFileStore store(path);
    EXPECT_FALSE(store.Read({"Default"}, "v")) << path;
    EXPECT_FALSE(store.Write({"Default"}, "v", StoredValue::Number(1))) << path;
  }
  EXPECT_TRUE(AsideFiles(dir).empty());
}

TEST(RegistryFile, UnusableNamesAreRefused) {
  struct Case {
    KeyPath path;
    const char* name;
  } cases[] = {
      {{}, "v"},
      {{""}, "v"},
      {{"a", ""}, "v"},
      {{"a\nb"}, "v"},
      {{"\\a"}, "v"},
      {{"a\\"}, "v"},
      {{"a\\\\b"}, "v"},
      {{"ok"}, "line\nbreak"},
      {{"ok"}, "tab\there"},
  };
  TempDir dir;
  RegistryFileStore store(dir.File("Tallowick.reg"));
  for (const Case& c : cases) {
    EXPECT_FALSE(store.Write(c.path, c.name, StoredValue::Text("x"))) << c.name;
    EXPECT_FALSE(store.Read(c.path, c.name)) << c.name;
  }
  EXPECT_FALSE(FileExists(dir.File("Tallowick.reg")));
}

}  // namespace
}  // namespace config
