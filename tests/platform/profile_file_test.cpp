#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>

#include "support/temp_dir.h"

namespace platform {
namespace {

using namespace std::string_literals;
using testing_support::ReadFile;
using testing_support::TempDir;

std::size_t EntriesIn(const std::string& dir) {
  return std::distance(std::filesystem::directory_iterator(dir),
                       std::filesystem::directory_iterator());
}

TEST(ReadProfileString, Lookups) {
  TempDir dir;
  std::string path = dir.Write("a.ini",
                               "Stray=before any section\r\n"
                               "; comment=no\r\n"
                               "[Control]\r\n"
                               "  Key = value with blanks  \r\n"
                               "Quoted=\"  kept  \"\r\n"
                               "Single='x'\r\n"
                               "Half=\"x\r\n"
                               "Mixed=\"x'\r\n"
                               "Empty=\r\n"
                               "Key=second\r\n"
                               "NoEquals\r\n"
                               ";Hidden=1\r\n"
                               "=nameless\r\n"
                               "[Open\r\n"
                               "AfterOpen=still Control\r\n"
                               "[ Options ] trailing words\n"
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
      {"Control", "Key", "value with blanks"},
      {"CONTROL", "key", "value with blanks"},
      {" Control ", " Key ", "value with blanks"},
      {"Control", "Quoted", "  kept  "},
      {"Control", "Single", "x"},
      {"Control", "Half", "\"x"},
      {"Control", "Mixed", "\"x'"},
      {"Control", "Empty", ""},
      {"Control", "NoEquals", "default"},
      {"Control", "Hidden", "default"},
      {"Control", ";Hidden", "default"},
      {"Control", "", "default"},
      {"Control", "AfterOpen", "still Control"},
      {"Open", "AfterOpen", "default"},
      {"options", "Sep", "a=b"},
      {"Control", "Late", "default"},
      {"Last", "Tail", "end"},
      {"", "Stray", "default"},
      {"Missing", "Key", "default"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, "default"), c.expected)
        << c.section << "/" << c.key;
  }
  EXPECT_EQ(ReadProfileString(dir.File("none.ini"), "a", "b", "dflt  "), "dflt  ");
}

TEST(ReadProfileString, Limits) {
  TempDir dir;
  std::string path = dir.Write("a.ini", "[S]\nLong=" + std::string(300, 'v') + "\nQuoted=\"" +
                                            std::string(258, 'q') + "x\"\n");
  struct Case {
    const char* key;
    std::size_t max_chars;
    std::size_t expected;
  } cases[] = {{"Long", 259, 259}, {"Long", 149, 149},   {"Long", 49, 49},
               {"Long", 0, 0},     {"Quoted", 259, 259}, {"None", 49, 49}};
  for (const Case& c : cases) {
    std::string value = ReadProfileString(path, "S", c.key, std::string(300, 'd'), c.max_chars);
    EXPECT_EQ(value.size(), c.expected) << c.key << " " << c.max_chars;
  }
  EXPECT_EQ(ReadProfileString(path, "S", "Quoted", ""), std::string(258, 'q') + "x");
}

TEST(ParseProfileInt, Numbers) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {{"1010", 1010},
               {" \t-7x", -7},
               {"+3", 3},
               {"x", 99},
               {"", 99},
               {"-", 99},
               {"- 5", 99},
               {"0x1F", 31},
               {"0X1f", 31},
               {"-0x10", -16},
               {"0x", 0},
               {"0xg", 0},
               {"2147483647", INT_MAX},
               {"99999999999", INT_MAX},
               {"-2147483648", INT_MIN},
               {"-99999999999", INT_MIN},
               {"0xFFFFFFFFFF", INT_MAX},
               {"007", 7}};
  for (const Case& c : cases) EXPECT_EQ(ParseProfileInt(c.text, 99), c.expected) << c.text;

  TempDir dir;
  std::string path =
      dir.Write("a.ini", "[S]\nA = 1010 \nB=\"12\"\nC=x\nD=" + std::string(259, '0') + "5\n");
  EXPECT_EQ(ReadProfileInt(path, "s", "a", 0), 1010);
  EXPECT_EQ(ReadProfileInt(path, "S", "B", 0), 12);
  EXPECT_EQ(ReadProfileInt(path, "S", "C", 5), 5);
  EXPECT_EQ(ReadProfileInt(path, "S", "D", 5), 0);  // the 5 lies beyond 259 characters
  EXPECT_EQ(ReadProfileInt(path, "S", "Z", 9), 9);
}

TEST(WriteProfileString, ChangesOnlyWhatItWrites) {
  struct Case {
    const char* name;
    const char* before;  // nullptr: no file
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  } cases[] = {
      {"replace in place", "; c\r\n[A]\r\nKey = old \r\n\r\n[B]\r\n", "a", "KEY", "new",
       "; c\r\n[A]\r\nKey = new \r\n\r\n[B]\r\n"},
      {"replace quoted", "[A]\nk=\"old\"\n", "A", "k", "v", "[A]\nk=v\n"},
      {"replace empty", "[A]\nk=  \nz=1", "A", "k", "v", "[A]\nk=  v\nz=1"},
      {"replace first of two", "[A]\nk=1\nk=2\n[a]\nk=3\n", "A", "k", "9",
       "[A]\nk=9\nk=2\n[a]\nk=3\n"},
      {"add after last non-blank", "[A]\r\nx=1\r\n; c\r\n\r\n[B]\r\ny=2\r\n", "A", "z", "3",
       "[A]\r\nx=1\r\n; c\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
      {"line without = is no key", "[A]\nk\n", "A", "k", "v", "[A]\nk\nk=v\n"},
      {"add to unterminated last", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
      {"add after stray CR", "[A]\nx=1\r", "A", "y", "2", "[A]\nx=1\r\ny=2\n"},
      {"add to empty section", "[A]\n\n[B]\n", "A", "k", "v", "[A]\nk=v\n\n[B]\n"},
      {"add to first of two", "[A]\n[a]\n", "A", "k", "v", "[A]\nk=v\n[a]\n"},
      {"add section", "[A]\nx=1", "B", "y", "2", "[A]\nx=1\n\n[B]\ny=2\n"},
      {"add section CR LF", "[A]\r\nx=1\r\n\r\n", " B ", " y ", "2",
       "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
      {"empty file", "", "S", "k", "v", "[S]\nk=v\n"},
      {"new file", nullptr, "S", "k", "v", "[S]\nk=v\n"},
      {"quoted to keep blanks", "[S]\nk=1\n", "S", "k", " v ", "[S]\nk=\" v \"\n"},
      {"quoted to keep quotes", "[S]\n", "S", "k", "'v'", "[S]\nk=\"'v'\"\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::string path = dir.File("f.ini");
    if (c.before) dir.Write("f.ini", c.before);
    EXPECT_TRUE(WriteProfileString(path, c.section, c.key, c.value)) << c.name;
    EXPECT_EQ(ReadFile(path), c.after) << c.name;
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, "?"), c.value) << c.name;
    EXPECT_EQ(EntriesIn(dir.path()), 1u) << c.name << ": a temporary file was left behind";
  }
}

TEST(WriteProfileString, ValuesReadBackAsWritten) {
  const std::string values[] = {"",    "plain", "  lead", "trail\t", "\"q\"",
                                "'s'", "\"",    "a\"b\"", "x=y",     std::string("n\0l", 3)};
  TempDir dir;
  std::string path = dir.File("f.ini");
  for (const std::string& value : values) {
    ASSERT_TRUE(WriteProfileString(path, "S", "k", value)) << value;
    EXPECT_EQ(ReadProfileString(path, "S", "k", "?"), value);
  }
}

TEST(WriteProfileString, RefusesWhatWouldCorruptTheFile) {
  TempDir dir;
  std::string path = dir.Write("f.ini", "[A]\nk=v\n");
  struct Case {
    std::string path, section, key, value;
  } cases[] = {
      {path, "A", "k", "two\nlines"},
      {path, "A", "k", "cr\r"},
      {path, "A\n", "k", "v"},
      {path, "A", "k\r\nx", "v"},
      {path, "A", "a=b", "v"},
      {path, "A]", "k", "v"},
      {path, " ", "k", "v"},
      {path, "A", "", "v"},
      {path, "A", ";k", "v"},
      {path, "A", "[k", "v"},
      {dir.File("no/dir.ini"), "A", "k", "v"},
      {dir.File("f.ini/x.ini"), "A", "k", "v"},
      {dir.path(), "A", "k", "v"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(WriteProfileString(c.path, c.section, c.key, c.value)) << c.key << c.value;
  }
  EXPECT_EQ(ReadFile(path), "[A]\nk=v\n");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(WriteProfileString, ReplacesAtomicallyKeepingModeAndLinks) {
  TempDir dir;
  std::string path = dir.Write("f.ini", "[A]\nk=v\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  struct stat before {
  }, after{};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  ASSERT_TRUE(WriteProfileString(path, "A", "k", "w"));
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file renamed over the old one

  ASSERT_TRUE(WriteProfileString(path, "A", "k", "w"));  // no change: not rewritten
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);

  std::string link = dir.File("link.ini");
  ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
  ASSERT_TRUE(WriteProfileString(link, "A", "k", "through link"));
  EXPECT_EQ(ReadFile(path), "[A]\nk=through link\n");
  EXPECT_EQ(EntriesIn(dir.path()), 2u);

  std::string fifo = dir.File("fifo.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadProfileString(fifo, "A", "k", "d"), "d");  // without blocking
  EXPECT_FALSE(WriteProfileString(fifo, "A", "k", "v"));

  if (geteuid() == 0) return;  // root writes into read-only directories
  ASSERT_EQ(chmod(dir.path().c_str(), 0500), 0);
  EXPECT_FALSE(WriteProfileString(path, "A", "k", "x"));
  chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(ReadFile(path), "[A]\nk=through link\n");
}

TEST(ReadProfileKeys, ListsKeysAndSections) {
  TempDir dir;
  std::string path = dir.Write("f.clw",
                               "[General Info]\nVersion=1\n[ClassHeader]\n; x=1\nNoValue\n"
                               "CAboutDlg=about.h\nCMainFrame=mainfrm.h\ncaboutdlg=again\n\n"
                               "[Other]\nk=v\n[classheader]\nLater=1\n[ other ]\n");
  EXPECT_EQ(ReadProfileKeys(path, " classheader "),
            (std::vector<std::string>{"CAboutDlg", "CMainFrame"}));
  EXPECT_EQ(ReadProfileKeys(path, "none"), std::vector<std::string>{});
  EXPECT_EQ(ReadProfileKeys(dir.File("missing.clw"), "Other"), std::vector<std::string>{});
  EXPECT_EQ(ReadProfileSections(path),
            (std::vector<std::string>{"General Info", "ClassHeader", "Other"}));
}

TEST(ProfileFile, OddBytesNeverBreakTheReader) {
  TempDir dir;
  std::string text = "]]\n[\n[A\nk\0=v\n=x\n[B]\nk=v\0w\nlong="s;
  text += std::string(3 << 20, 'z');
  std::string path = dir.Write("f.ini", text);
  EXPECT_EQ(ReadProfileString(path, "B", "k", ""), std::string("v\0w", 3));
  EXPECT_EQ(ReadProfileString(path, "A", "k", "d"), "d");
  EXPECT_EQ(ReadProfileString(path, "B", "long", ""), std::string(259, 'z'));
  EXPECT_TRUE(WriteProfileString(path, "B", "k", "n"));
  EXPECT_EQ(ReadProfileString(path, "B", "k", ""), "n");
  EXPECT_TRUE(WriteProfileString(path, "B", "new", "1"));
  std::string after = ReadFile(path);
  EXPECT_EQ(after.substr(after.size() - 10), "zzz\nnew=1\n");
}

TEST(ProfileFile, ManySections) {
  std::string text, expected;
  for (int i = 0; i < 10000; ++i) {
    std::string section = "[CLS:C" + std::to_string(i) + "]\r\nType=0\r\n\r\n";
    text += section;
    expected += i == 5000 ? "[CLS:C5000]\r\nType=0\r\nHeaderFile=c.h\r\n\r\n" : section;
  }
  TempDir dir;
  std::string path = dir.Write("big.clw", text);
  EXPECT_EQ(ReadProfileInt(path, "cls:c9999", "type", 7), 0);
  ASSERT_TRUE(WriteProfileString(path, "CLS:C5000", "HeaderFile", "c.h"));
  EXPECT_EQ(ReadFile(path), expected);
  EXPECT_EQ(ReadProfileSections(path).size(), 10000u);
}

}  // namespace
}  // namespace platform
