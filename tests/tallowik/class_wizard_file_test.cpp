#include "tallowik/class_wizard_file.h"

#include <gtest/gtest.h>

#include "platform/profile_file.h"
#include "support/temp_dir.h"
#include "tallowik/profile_section.h"

namespace tallowik {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;
using Names = std::vector<std::string>;

std::string Value(const std::string& path, std::string_view section, std::string_view key) {
  return platform::ReadProfileString(path, section, key, "<absent>", 1000);
}

// A file as the IDE writes it: CR LF line ends, sections apart by blank lines.
constexpr std::string_view kIdeFile =
    "; CLW file contains information for the class wizard\r\n"
    "\r\n"
    "[General Info]\r\n"
    "Version=1\r\n"
    "ClassCount=3\r\n"
    "Class1=CMyApp\r\n"
    "Class2=CAboutDlg\r\n"
    "Class3=CThird\r\n"
    "LastClass=CThird\r\n"
    "ResourceCount=2\r\n"
    "Resource1=IDD_ABOUTBOX\r\n"
    "Resource2=IDR_MAINFRAME\r\n"
    "\r\n"
    "[CLS:CThird]\r\n"
    "Type=0\r\n"
    "HeaderFile=third.h\r\n"
    "ImplementationFile=third.cpp\r\n"
    "Filter=D\r\n";

TEST(RegisterClass, MissingFileGetsClassOne) {
  TempDir dir;
  const std::string clw = dir.File("P.clw");
  RegisterClass(clw, "MYDLG.H", "MYDLG.CPP", "CMyDlg");
  EXPECT_EQ(ReadFile(clw),
            "[General Info]\nClassCount=1\nClass1=CMyDlg\nLastClass=CMyDlg\n\n"
            "[CLS:CMyDlg]\nType=0\nHeaderFile=MYDLG.H\nImplementationFile=MYDLG.CPP\n");
  // An empty file the same way.
  const std::string empty = dir.Write("E.clw", "");
  RegisterClass(empty, "A.H", "A.CPP", "CA");
  EXPECT_EQ(ListClwClasses(empty), Names{"CA"});
  EXPECT_EQ(Value(empty, "General Info", "ClassCount"), "1");
}

TEST(RegisterClass, IdeFileKeepsEveryOtherByte) {
  TempDir dir;
  const std::string clw = dir.Write("P.clw", kIdeFile);
  RegisterClass(clw, "NEW.H", "NEW.CPP", "CNew");
  std::string expected(kIdeFile);
  expected.replace(expected.find("ClassCount=3"), 12, "ClassCount=4");
  expected.replace(expected.find("LastClass=CThird"), 16, "LastClass=CNew");
  // A new key goes after the last line of its section.
  const std::string last = "Resource2=IDR_MAINFRAME\r\n";
  expected.insert(expected.find(last) + last.size(), "Class4=CNew\r\n");
  expected += "\r\n[CLS:CNew]\r\nType=0\r\nHeaderFile=NEW.H\r\nImplementationFile=NEW.CPP\r\n";
  EXPECT_EQ(ReadFile(clw), expected);
}

TEST(RegisterClass, ListedClassDifferingInCaseAddsNoEntry) {
  TempDir dir;
  const std::string clw = dir.Write("P.clw", kIdeFile);
  RegisterClass(clw, "T.H", "T.CPP", "cTHIRD");
  EXPECT_EQ(Value(clw, "General Info", "ClassCount"), "3");
  EXPECT_EQ(Value(clw, "General Info", "LastClass"), "CThird");
  EXPECT_EQ(ListClwClasses(clw), (Names{"CMyApp", "CAboutDlg", "CThird"}));
  // The section of the name as typed now receives the keys. Section names ignore case,
  // so that is the existing "CLS:CThird", whose other keys stay.
  EXPECT_EQ(Value(clw, "CLS:cTHIRD", "HeaderFile"), "T.H");
  EXPECT_EQ(Value(clw, "CLS:CThird", "ImplementationFile"), "T.CPP");
  EXPECT_EQ(Value(clw, "CLS:CThird", "Filter"), "D");
}

TEST(RegisterClass, SameClassTwiceRewritesItsFiles) {
  TempDir dir;
  const std::string clw = dir.File("P.clw");
  RegisterClass(clw, "A.H", "A.CPP", "CA");
  RegisterClass(clw, "B.H", "B.CPP", "CA");
  EXPECT_EQ(ListClwClasses(clw), Names{"CA"});
  EXPECT_EQ(Value(clw, "General Info", "ClassCount"), "1");
  EXPECT_EQ(Value(clw, "CLS:CA", "HeaderFile"), "B.H");
  EXPECT_EQ(Value(clw, "CLS:CA", "ImplementationFile"), "B.CPP");
  EXPECT_EQ(platform::ReadProfileSections(clw), (Names{"General Info", "CLS:CA"}));
}

TEST(RegisterClass, NamesOfOneHundredFiftyCharactersAreNeverFoundAgain) {
  TempDir dir;
  const std::string clw = dir.File("P.clw");
  const std::string fits = "C" + std::string(148, 'f');  // 149 characters
  const std::string too_long = "C" + std::string(149, 'l');
  for (int i = 0; i < 2; ++i) {
    RegisterClass(clw, "F.H", "F.CPP", fits);
    RegisterClass(clw, "L.H", "L.CPP", too_long);
  }
  EXPECT_EQ(Value(clw, "General Info", "ClassCount"), "3");
  EXPECT_EQ(Value(clw, "General Info", "Class1"), fits);
  EXPECT_EQ(Value(clw, "General Info", "Class2"), too_long);
  EXPECT_EQ(Value(clw, "General Info", "Class3"), too_long);
  // Listed names are cut like every other read.
  EXPECT_EQ(ListClwClasses(clw), (Names{fits, too_long.substr(0, 149), too_long.substr(0, 149)}));
}

TEST(RegisterClass, CountAndIndexTable) {
  struct Case {
    const char* name;
    std::string general;  // the body of [General Info]
    const char* class_name;
    const char* count_after;
    const char* new_key;  // the key that receives the name, or "" when none
  } cases[] = {
      {"listed in a lower-case key", "ClassCount=2\nclass2=CX\n", "CX", "2", ""},
      {"beyond the count is not listed", "ClassCount=1\nClass2=CX\n", "CX", "2", "Class2"},
      {"leading zero is another key", "ClassCount=3\nClass03=CX\n", "CX", "4", "Class4"},
      {"count with text after its digits", "ClassCount=2 classes\nClass1=CX\n", "CX", "2 classes",
       ""},
      {"count without digits", "ClassCount=many\nClass1=CY\n", "CX", "1", "Class1"},
      {"negative count", "ClassCount=-5\n", "CX", "1", "Class1"},
      {"quoted value compares unquoted", "ClassCount=1\nClass1=\"cx\"\n", "CX", "1", ""},
      {"first of two equal keys wins", "ClassCount=1\nClass1=CY\nClass1=CX\n", "CX", "2", "Class2"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string clw = dir.Write("P.clw", "[General Info]\n" + c.general);
    RegisterClass(clw, "X.H", "X.CPP", c.class_name);
    EXPECT_EQ(Value(clw, "General Info", "ClassCount"), c.count_after) << c.name;
    if (*c.new_key) {
      EXPECT_EQ(Value(clw, "General Info", c.new_key), c.class_name) << c.name;
      EXPECT_EQ(Value(clw, "General Info", "LastClass"), c.class_name) << c.name;
    } else {
      EXPECT_EQ(Value(clw, "General Info", "LastClass"), "<absent>") << c.name;
    }
    EXPECT_EQ(Value(clw, std::string("CLS:") + c.class_name, "Type"), "0") << c.name;
  }
}

TEST(RegisterClass, EmptyNameRegistersNothing) {
  TempDir dir;
  const std::string clw = dir.File("P.clw");
  RegisterClass(clw, "X.H", "X.CPP", "");
  EXPECT_FALSE(FileExists(clw));
}

TEST(ListClw, ClassesAndResources) {
  TempDir dir;
  const std::string clw =
      dir.Write("P.clw",
                "[General Info]\nClassCount=4\nClass3=CThree\nClass1=COne\nClass2=\nClass5=CFive\n"
                "ResourceCount=2\nResource2=IDD_TWO\nResource1=IDD_ONE\n"
                "[general info]\nClass4=CLater\n");
  EXPECT_EQ(ListClwClasses(clw), (Names{"COne", "CThree"}));
  EXPECT_EQ(ListClwResources(clw), (Names{"IDD_ONE", "IDD_TWO"}));
  EXPECT_TRUE(ListClwClasses(dir.File("missing.clw")).empty());
  EXPECT_TRUE(ListClwResources(dir.path()).empty());
}

TEST(LastUsed, SaveAndLoad) {
  TempDir dir;
  const std::string clw = dir.File("P.clw");
  EXPECT_EQ(LoadLastUsed(clw), LastUsed{});
  SaveLastUsed(clw, {"Modal Dialog Box", "CDialog", "IDD_MY", 7});
  EXPECT_EQ(ReadFile(clw),
            "[Tallowick]\nLast Base Desc=Modal Dialog Box\nLast Base Class=CDialog\n"
            "Last Resource=IDD_MY\nAdd to CLW=1\n");
  EXPECT_EQ(LoadLastUsed(clw), (LastUsed{"Modal Dialog Box", "CDialog", "IDD_MY", 1}));
  SaveLastUsed(clw, {" padded ", "", "", 0});
  EXPECT_EQ(LoadLastUsed(clw), (LastUsed{" padded ", "", "", 0}));
}

TEST(LastUsed, ReadLimitsAndCounts) {
  TempDir dir;
  const std::string clw = dir.Write(
      "P.clw", "[Tallowick]\nLast Base Desc=" + std::string(200, 'd') + "\nAdd to CLW=2 yes\n");
  LastUsed values = LoadLastUsed(clw);
  EXPECT_EQ(values.base_desc, std::string(149, 'd'));
  EXPECT_EQ(values.add_to_clw, 2);
}

TEST(ParseClwCount, Table) {
  struct Case {
    const char* text;
    int count;
  } cases[] = {{"", 0},     {"12", 12},
               {"  7x", 7}, {"-3", -3},
               {"+4", 4},   {"0x10", 0},
               {"abc", 0},  {"99999999999", 2147483647},
               {"- 1", 0},  {"-99999999999", -2147483647 - 1}};
  for (const Case& c : cases) EXPECT_EQ(ParseClwCount(c.text), c.count) << c.text;
}

// The single-pass reader must read what the profile module reads.
TEST(ProfileSection, AgreesWithReadProfileString) {
  const std::string files[] = {
      "[S]\nk=v\n",
      "[ S ]\r\n  K = \" v \" \r\nk=second\r\n",
      "[s]\n;k=comment\n[k=x\nk='q'\n[T]\nk=t\n[S]\nk=later\nn=later\n",
      "[S] trailing text\nk\nk==\n=x\n",
      "no section\nk=v\n[S]\n\tk\t=\t'\t\n",
      "[S]\nk=\"unbalanced\nj='a\"\nlong=" + std::string(300, 'L') + "\n",
  };
  const char* keys[] = {"k", "K", " k ", "n", "j", "long", "missing", ""};
  TempDir dir;
  for (const std::string& text : files) {
    const std::string path = dir.Write("f.ini", text);
    for (const char* section : {"S", "s", " S ", "T", "none"}) {
      ProfileSection parsed = ProfileSection::Read(path, section);
      for (const char* key : keys) {
        EXPECT_EQ(parsed.Value(key, "dflt", 149),
                  platform::ReadProfileString(path, section, key, "dflt", 149))
            << text << " [" << section << "] " << key;
      }
    }
  }
}

}  // namespace
}  // namespace tallowik
