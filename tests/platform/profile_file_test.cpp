#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

TEST(ReadProfileString, Lookups) {
  TempDir dir;
  std::string path = dir.Write("a.ini",
                               "; comment=no\r\n"
                               "[Control]\r\n"
                               "  Key = value with blanks  \r\n"
                               "Quoted=\"  kept  \"\r\n"
                               "Single='x'\r\n"
                               "Half=\"x\r\n"
                               "Empty=\r\n"
                               "Key=second\r\n"
                               "NoEquals\r\n"
                               "[ Options ]\n"
                               "Sep=a=b\n"
                               "[control]\n"
                               "Late=ignored\n"
                               "[Last]\n"
                               "Tail=end");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"Control", "Key", "value with blanks"}, {"CONTROL", "key", "value with blanks"},
      {"Control", "Quoted", "  kept  "},       {"Control", "Single", "x"},
      {"Control", "Half", "\"x"},              {"Control", "Empty", ""},
      {"Options", "Sep", "a=b"},               {"Control", "Late", "default"},
      {"Last", "Tail", "end"},                 {"Control", "NoEquals", "default"},
      {"Missing", "Key", "default"},           {"Control", "comment", "default"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, "default"), c.expected)
        << c.section << "/" << c.key;
  }
  EXPECT_EQ(ReadProfileString(dir.File("none.ini"), "a", "b", "dflt"), "dflt");
}

TEST(ReadProfileString, Limits) {
  TempDir dir;
  std::string path = dir.Write("a.ini", "[S]\nLong=" + std::string(300, 'v') + "\n");
  EXPECT_EQ(ReadProfileString(path, "S", "Long", "").size(), 259u);
  EXPECT_EQ(ReadProfileString(path, "S", "Long", "", 49).size(), 49u);
  EXPECT_EQ(ReadProfileString(path, "S", "Long", "", 149).size(), 149u);
  EXPECT_EQ(ReadProfileString(path, "S", "None", std::string(300, 'd'), 49).size(), 49u);
}

TEST(ReadProfileInt, Numbers) {
  TempDir dir;
  std::string path = dir.Write("a.ini", "[S]\nA=1010\nB= -7x\nC=x\nD=\nE=+3\n");
  EXPECT_EQ(ReadProfileInt(path, "S", "A", 0), 1010);
  EXPECT_EQ(ReadProfileInt(path, "S", "B", 0), -7);
  EXPECT_EQ(ReadProfileInt(path, "S", "C", 5), 5);
  EXPECT_EQ(ReadProfileInt(path, "S", "D", 5), 5);
  EXPECT_EQ(ReadProfileInt(path, "S", "E", 0), 3);
  EXPECT_EQ(ReadProfileInt(path, "S", "Z", 9), 9);
}

TEST(WriteProfileString, ChangesOnlyWhatItWrites) {
  struct Case {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  } cases[] = {
      {"replace in place", "; c\r\n[A]\r\nk = old \r\n\r\n[B]\r\n", "a", "K", "new",
       "; c\r\n[A]\r\nk = new \r\n\r\n[B]\r\n"},
      {"add to section", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z", "3",
       "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
      {"add section", "[A]\nx=1", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n"},
      {"new file", nullptr, "S", "k", "v", "[S]\nk=v\n"},
      {"last line unterminated", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"empty section", "[A]\n\n[B]\n", "A", "k", "v", "[A]\nk=v\n\n[B]\n"},
      {"first of two sections", "[A]\n[a]\n", "A", "k", "v", "[A]\nk=v\n[a]\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::string path = dir.File("f.ini");
    if (c.before) dir.Write("f.ini", c.before);
    EXPECT_TRUE(WriteProfileString(path, c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(ReadFile(path), c.after) << c.name;
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, "?"), c.value) << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << c.name << ": a temporary file was left behind";
  }
}

TEST(WriteProfileString, RefusesWhatWouldCorruptTheFile) {
  TempDir dir;
  std::string path = dir.Write("f.ini", "[A]\nk=v\n");
  EXPECT_FALSE(WriteProfileString(path, "A", "k", "two\nlines"));
  EXPECT_FALSE(WriteProfileString(path, "A", "a=b", "v"));
  EXPECT_FALSE(WriteProfileString(path, "A]", "k", "v"));
  EXPECT_FALSE(WriteProfileString(path, "", "k", "v"));
  EXPECT_FALSE(WriteProfileString(dir.File("no/such/dir.ini"), "A", "k", "v"));
  EXPECT_EQ(ReadFile(path), "[A]\nk=v\n");
}

TEST(WriteProfileString, KeepsTheFileModeAndFailsSafelyInAReadOnlyDirectory) {
  TempDir dir;
  std::string path = dir.Write("f.ini", "[A]\nk=v\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteProfileString(path, "A", "k", "w"));
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  if (geteuid() == 0) return;  // root writes anywhere
  ASSERT_EQ(chmod(dir.path().c_str(), 0500), 0);
  EXPECT_FALSE(WriteProfileString(path, "A", "k", "x"));
  chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(ReadFile(path), "[A]\nk=w\n");
}

TEST(ReadProfileKeys, ListsKeysAndSections) {
  TempDir dir;
  std::string path = dir.Write("f.clw", "[General Info]\nVersion=1\n[ClassHeader]\n; x\n"
                                        "CAboutDlg=about.h\nCMainFrame=mainfrm.h\n\n[Other]\nk=v\n");
  EXPECT_EQ(ReadProfileKeys(path, "classheader"),
            (std::vector<std::string>{"CAboutDlg", "CMainFrame"}));
  EXPECT_EQ(ReadProfileKeys(path, "none"), std::vector<std::string>{});
  EXPECT_EQ(ReadProfileSections(path),
            (std::vector<std::string>{"General Info", "ClassHeader", "Other"}));
}

TEST(ProfileFile, OddBytesNeverBreakTheReader) {
  TempDir dir;
  std::string text("]]\n[\n[A\nk\0=v\n=x\n[B]\nk=v\0w\n", 27);
  text += std::string(3 << 20, 'z');
  std::string path = dir.Write("f.ini", text);
  EXPECT_EQ(ReadProfileString(path, "B", "k", ""), std::string("v\0w", 3));
  EXPECT_EQ(ReadProfileString(path, "A", "k", "d"), "d");
  EXPECT_TRUE(WriteProfileString(path, "B", "k", "n"));
  EXPECT_EQ(ReadProfileString(path, "B", "k", ""), "n");
}

}  // namespace
}  // namespace platform
