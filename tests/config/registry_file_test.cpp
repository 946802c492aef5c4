#include "config/registry_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "config/registry_format.h"
#include "config/settings.h"
#include "support/temp_dir.h"

namespace config {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

TEST(RegistryFile, DefaultPathFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", "/x/cfg", 1);
  EXPECT_EQ(DefaultRegistryPath(), "/x/cfg/Brackwater Software/Tallowick.reg");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_NE(DefaultRegistryPath().find("/.config/Brackwater Software/Tallowick.reg"),
            std::string::npos);
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST(RegistryFile, WritesTheRegedit4Form) {
  TempDir dir;
  std::string path = dir.File("cfg/Brackwater Software/Tallowick.reg");
  RegistryFileStore store(path);
  Settings settings(store);
  ASSERT_TRUE(settings.WriteSetting("Default", "Defaults", "User ID", "j\"d\\oe"));
  ASSERT_TRUE(settings.WriteSettingNumber("Default", "Defaults", "Auto Paste", 1));
  ASSERT_TRUE(settings.WriteSetting("Default", "Defaults", "Tabbed", "a\tb"));
  EXPECT_EQ(ReadFile(path),
            "REGEDIT4\n"
            "\n[HKEY_CURRENT_USER\\Software\\Brackwater Software]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Default]\n"
            "\n[HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Default\\Defaults]\n"
            "\"User ID\"=\"j\\\"d\\\\oe\"\n"
            "\"Auto Paste\"=dword:00000001\n"
            "\"Tabbed\"=hex(1):61,09,62,00\n"
            "\n");
}

TEST(RegistryFile, ReadsCreateTheirKeys) {
  TempDir dir;
  std::string path = dir.File("Tallowick.reg");
  RegistryFileStore store(path);
  Settings settings(store);
  EXPECT_EQ(settings.ReadSettingNumber("Defaults", "Auto Paste", 1), 1);
  std::string text = ReadFile(path);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Configurations]"),
            std::string::npos);
  EXPECT_NE(text.find("\\Tallowick\\Default\\Defaults]"), std::string::npos);
  EXPECT_EQ(text.find('='), std::string::npos);  // keys only, no values
}

TEST(RegistryFile, EveryValueFormRoundTrips) {
  const StoredValue values[] = {
      StoredValue::Text(""),
      StoredValue::Text("plain"),
      StoredValue::Text("quote \" back \\ end\\"),
      StoredValue::Text("line\r\nbreak"),
      StoredValue::Text(std::string("in\0side", 7)),
      StoredValue::Text("high \xE9\xFF"),
      StoredValue::Number(0),
      StoredValue::Number(-1),
      StoredValue{kTypeBinary, std::string(200, '\x7f')},
      StoredValue{kTypeExpandText, std::string("%HOME%\0", 7)},
      StoredValue{kTypeNumber, "abc"},  // a short dword-typed value keeps its bytes
      StoredValue{kTypeText, "no terminating zero"},
      StoredValue{0x20, "x"},
  };
  TempDir dir;
  std::string path = dir.File("Tallowick.reg");
  {
    RegistryFileStore store(path);
    for (std::size_t i = 0; i < std::size(values); ++i) {
      ASSERT_TRUE(store.Write({"Default", "Values"}, "v" + std::to_string(i), values[i]));
    }
  }
  RegistryFileStore fresh(path);
  for (std::size_t i = 0; i < std::size(values); ++i) {
    std::optional<StoredValue> read = fresh.Read({"DEFAULT", "values"}, "V" + std::to_string(i));
    ASSERT_TRUE(read) << i;
    EXPECT_EQ(read->type, values[i].type) << i;
    EXPECT_EQ(read->bytes, values[i].bytes) << i;
  }
}

TEST(RegistryFile, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  TempDir dir;
  std::string path = dir.File("Tallowick.reg");
  RegistryFileStore store(path);
  Settings settings(store);
  settings.WriteSetting("MyProject", "Defaults", "User ID", "a");
  settings.WriteSetting("MYPROJECT", "DEFAULTS", "USER ID", "b");
  EXPECT_EQ(settings.ReadSetting("myproject", "defaults", "user id", ""), "b");
  std::string text = ReadFile(path);
  EXPECT_NE(text.find("\\MyProject\\Defaults]\n\"User ID\"=\"b\""), std::string::npos) << text;
  EXPECT_EQ(text.find("MYPROJECT"), std::string::npos);
}

TEST(RegistryFile, AcceptsWhatARegistryEditorWrites) {
  TempDir dir;
  std::string path = dir.Write(
      "Tallowick.reg",
      "\xEF\xBB\xBFREGEDIT4\r\n\r\n"
      "; exported\r\n"
      "[HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Default\\Defaults]\r\n"
      "@=\"default value\"\r\n"
      "\"Bin\"=hex:01,02,\\\r\n  03\r\n"
      "\"Gone\"=-\r\n"
      "\"Num\"=dword:0000000A\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\Old]\r\n");
  RegistryFileStore store(path);
  Settings settings(store);
  EXPECT_EQ(settings.ReadSettingNumber("Default", "Defaults", "Num", 0), 10);
  EXPECT_EQ(store.Read({"Default", "Defaults"}, "Bin")->bytes, "\x01\x02\x03");
  EXPECT_EQ(settings.ReadSetting("Default", "Defaults", "", ""), "default value");
  EXPECT_FALSE(store.Read({"Default", "Defaults"}, "Gone"));
}

TEST(RegistryFile, ABrokenFileReadsAsDefaultsAndIsMovedAsideBeforeAWrite) {
  TempDir dir;
  const std::string broken = "REGEDIT4\n[HKEY_CURRENT_USER\\x]\nnot a value line\n";
  std::string path = dir.Write("Tallowick.reg", broken);
  RegistryFileStore store(path);
  Settings settings(store);
  EXPECT_EQ(settings.ReadSetting("Default", "Defaults", "User ID", "d"), "d");
  EXPECT_EQ(ReadFile(path), broken);  // a read never touches it
  ASSERT_TRUE(settings.WriteSetting("Default", "Defaults", "User ID", "new"));
  EXPECT_EQ(settings.ReadSetting("Default", "Defaults", "User ID", ""), "new");
  int aside = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    if (entry.path().filename().string().rfind("Tallowick.reg.broken-", 0) == 0) {
      ++aside;
      EXPECT_EQ(ReadFile(entry.path()), broken);
    }
  }
  EXPECT_EQ(aside, 1);
}

TEST(RegistryFile, UnusableNamesAreRefused) {
  TempDir dir;
  RegistryFileStore store(dir.File("Tallowick.reg"));
  EXPECT_FALSE(store.Write({"a]b"}, "v", StoredValue::Text("x")));
  EXPECT_FALSE(store.Write({"ok"}, "line\nbreak", StoredValue::Text("x")));
  EXPECT_FALSE(store.Write({""}, "v", StoredValue::Text("x")));
  EXPECT_FALSE(store.Write({}, "v", StoredValue::Text("x")));
  EXPECT_FALSE(store.Read({"a\nb"}, "v"));
}

TEST(RegistryFile, TheParserSurvivesHostileText) {
  const std::string texts[] = {
      "", "REGEDIT4", "REGEDIT4\n\"v\"=\"x\"\n", "REGEDIT4\n[k]\n\"v\"=\"unterminated\n",
      "REGEDIT4\n[k]\n\"v\"=hex(zz):00\n", "REGEDIT4\n[k]\n\"v\"=dword:123456789\n",
      "REGEDIT4\n[k]\n\"v\"=hex:0,\\", std::string("REGEDIT4\n[k\0]\n\"\0\"=\"\0\"\n", 20),
      "Windows Registry Editor Version 5.00\n",
  };
  for (const std::string& text : texts) ParseRegistryText(text);  // must simply return
  std::string huge = "REGEDIT4\n";
  for (int i = 0; i < 20000; ++i) huge += "[k" + std::to_string(i) + "]\n\"v\"=\"x\"\n";
  std::optional<RegistryModel> model = ParseRegistryText(huge);
  ASSERT_TRUE(model);
  EXPECT_EQ(model->keys().size(), 20000u);
}

// Runs `body` in a child process; returns whether it exited with status 0.
template <typename Body>
pid_t Spawn(Body body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body() ? 0 : 1);
  return pid;
}

bool Succeeded(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(RegistryFile, ConcurrentWritersLoseNothing) {
  TempDir dir;
  const std::string path = dir.File("Tallowick.reg");
  constexpr int kWrites = 60;
  auto writer = [&](const char* prefix) {
    return [&path, prefix] {
      RegistryFileStore store(path);
      Settings settings(store);
      for (int i = 0; i < kWrites; ++i) {
        if (!settings.WriteSetting("Default", "Race", std::string(prefix) + std::to_string(i),
                                   "x")) {
          return false;
        }
      }
      return true;
    };
  };
  pid_t a = Spawn(writer("a"));
  pid_t b = Spawn(writer("b"));
  ASSERT_TRUE(Succeeded(a));
  ASSERT_TRUE(Succeeded(b));
  RegistryFileStore store(path);
  Settings settings(store);
  for (int i = 0; i < kWrites; ++i) {
    EXPECT_EQ(settings.ReadSetting("Default", "Race", "a" + std::to_string(i), ""), "x") << i;
    EXPECT_EQ(settings.ReadSetting("Default", "Race", "b" + std::to_string(i), ""), "x") << i;
  }
}

TEST(RegistryFile, AReaderRacingAWriterAlwaysSeesAParsableFile) {
  TempDir dir;
  const std::string path = dir.File("Tallowick.reg");
  {
    RegistryFileStore store(path);
    Settings(store).WriteSetting("Default", "Defaults", "Seed", "1");
  }
  pid_t writer = Spawn([&] {
    RegistryFileStore store(path);
    Settings settings(store);
    for (int i = 0; i < 150; ++i) {
      if (!settings.WriteSetting("Default", "Defaults", "Counter", std::string(i % 50, 'x'))) {
        return false;
      }
    }
    return true;
  });
  int reads = 0;
  int status = 0;
  while (waitpid(writer, &status, WNOHANG) == 0 && reads < 100000) {
    std::string text = ReadFile(path);
    ASSERT_TRUE(ParseRegistryText(text)) << text;
    ++reads;
  }
  if (reads >= 100000) waitpid(writer, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_GT(reads, 0);
}

}  // namespace
}  // namespace config
