#include "tallowik/class_substitution.h"

#include <gtest/gtest.h>

#include "config/memory_store.h"
#include "support/temp_dir.h"
#include "test_support.h"

namespace tallowik {
namespace {

using testing_support::TempDir;

NewClass SampleClass() {
  NewClass c;
  c.fields = {"/work/proj", "MYAPP", "A dialog",   "CDialog",     "CMyDialog",
              "IDD_MY",     "extra", "MYDIALOG.H", "MYDIALOG.CPP"};
  c.file.date = "3/5/95";
  c.file.month = "03";
  c.file.day = "05";
  c.file.year = "1995";
  c.file.company_name = "Acme";
  c.file.user_id = "jdoe";
  return c;
}

std::string Substituted(std::string line, const NewClass& c, std::string_view output) {
  SubstituteLine(line, c, output);
  return line;
}

TEST(SubstituteLine, EveryVariable) {
  const NewClass c = SampleClass();
  const std::string line =
      "$_Filename|$_BaseFile|$_HeaderFile|$_SourceFile|$_ClassName|$_BaseClass|$_UserID|"
      "$_Month|$_Day|$_Year|$_CompanyName|$_Date|$_Description|$_ProjectDir|$_Project|"
      "$_ResourceID|$_ClassSpecific|$_Unknown\n";
  EXPECT_EQ(Substituted(line, c, "MYDIALOG.H"),
            "MYDIALOG.H|MYDIALOG|MYDIALOG.H|MYDIALOG.CPP|CMyDialog|CDialog|jdoe|03|05|1995|Acme|"
            "3/5/95|A dialog|/work/proj|MYAPP|IDD_MY|extra|$_Unknown\n");
}

// The order of the steps decides which inserted values are substituted again.
TEST(SubstituteLine, OrderTable) {
  struct Case {
    const char* name;
    void (*edit)(NewClass&);
    std::string line;
    std::string output;
    std::string expected;
  } cases[] = {
      // "$_Date" comes before "$_Description", "$_Project" after it.
      {"a description keeps a date variable",
       [](NewClass& c) { c.fields.description = "on $_Date"; }, "$_Description", "X.H",
       "on $_Date"},
      {"a description receives the project",
       [](NewClass& c) { c.fields.description = "for $_Project"; }, "$_Description", "X.H",
       "for MYAPP"},
      {"a class name receives the base class (later step)",
       [](NewClass& c) { c.fields.class_name = "C$_BaseClass"; }, "$_ClassName", "X.H", "CCDialog"},
      {"a base class keeps a class name (earlier step)",
       [](NewClass& c) { c.fields.base_class = "$_ClassName"; }, "$_BaseClass", "X.H",
       "$_ClassName"},
      {"project dir before project", [](NewClass&) {}, "$_ProjectDir/$_Project.mak", "X.H",
       "/work/proj/MYAPP.mak"},
      {"file name value holding $_BaseFile", [](NewClass&) {}, "$_Filename", "$_BaseFile.h",
       "$_BaseFile.h"},
      {"names are case-sensitive", [](NewClass&) {}, "$_classname $_CLASSNAME", "X.H",
       "$_classname $_CLASSNAME"},
      {"an empty value removes the name", [](NewClass& c) { c.fields.class_specific.clear(); },
       "[$_ClassSpecific]", "X.H", "[]"},
      {"a value is not searched again for its own name",
       [](NewClass& c) { c.fields.class_name = "$_ClassName!"; }, "$_ClassName", "X.H",
       "$_ClassName!"},
      {"pairs act on inserted values",
       [](NewClass& c) {
         c.file.replacements = {{"My", "Your"}};
       },
       "$_ClassName My", "X.H", "CYourDialog Your"},
      {"pairs in list order",
       [](NewClass& c) {
         c.file.replacements = {{"a", "b"}, {"b", "c"}};
       },
       "ab", "X.H", "cc"},
      {"a pair may produce a variable that stays",
       [](NewClass& c) {
         c.file.replacements = {{"@", "$_Date"}};
       },
       "@", "X.H", "$_Date"},
      {"base file of a parent-directory name", [](NewClass&) {}, "$_BaseFile", "..\\X", "."},
      {"base file keeps the directory", [](NewClass&) {}, "$_BaseFile", "src/dlg.gen.h",
       "src/dlg.gen"},
      {"base file of a name without period", [](NewClass&) {}, "$_BaseFile", "MAKEFILE",
       "MAKEFILE"},
  };
  for (const Case& c : cases) {
    NewClass values = SampleClass();
    c.edit(values);
    EXPECT_EQ(Substituted(c.line, values, c.output), c.expected) << c.name;
  }
}

TEST(SetDateValues, Formats) {
  struct Case {
    int year, month, day;
    const char* date;
    const char* mm;
    const char* dd;
    const char* yyyy;
  } cases[] = {
      {1995, 3, 5, "3/5/95", "03", "05", "1995"},
      {2007, 12, 31, "12/31/07", "12", "31", "2007"},
      {2000, 1, 1, "1/1/00", "01", "01", "2000"},
  };
  for (const Case& c : cases) {
    std::tm now{};
    now.tm_year = c.year - 1900;
    now.tm_mon = c.month - 1;
    now.tm_mday = c.day;
    FileValues values;
    SetDateValues(values, now);
    EXPECT_EQ(values.date, c.date);
    EXPECT_EQ(values.month, c.mm);
    EXPECT_EQ(values.day, c.dd);
    EXPECT_EQ(values.year, c.yyyy);
  }
}

TEST(ParseProjectStrings, Table) {
  const std::string long_with(1500, 'v');
  struct Case {
    const char* name;
    std::string text;
    std::vector<Replacement> pairs;
  } cases[] = {
      {"one pair", "OLD NEW\n", {{"OLD", "NEW"}}},
      {"white space at both ends and inside",
       " \t OLD \t  new text  here \r\n",
       {{"OLD", "new text  here"}}},
      {"single word and empty lines ignored", "word\n\n   \n\t\nA B", {{"A", "B"}}},
      {"no comment syntax", "; a comment\n# b\n", {{";", "a comment"}, {"#", "b"}}},
      {"separated by a form feed", "A\fB\n", {{"A", "B"}}},
      {"pairs in file order", "b c\na b\n", {{"b", "c"}, {"a", "b"}}},
      // The second piece of a long line is a line of its own: one word, ignored.
      {"long line in pieces", "k " + long_with + "\n", {{"k", std::string(1021, 'v')}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseProjectStrings(c.text), c.pairs) << c.name;
  }
}

class LoadReplacementsTest : public ::testing::Test {
 protected:
  void UserString(int i, std::string_view holder, std::string_view replacement) {
    settings.WriteSetting("Default", "User Strings", "User Holder", i, holder);
    settings.WriteSetting("Default", "User Strings", "User Replacement", i, replacement);
  }

  TempDir dir;
  config::MemoryStore store;
  config::Settings settings{store};
};

TEST_F(LoadReplacementsTest, ProjectFileThenUserStringsSkippingEmptyParts) {
  dir.Write("MYAPP.STR", "PROJ project-pair\n");
  tallowik_testing::CurrentDirectoryGuard cwd(dir.path());
  ASSERT_TRUE(cwd.changed());
  // "$_Project" in the name is the project; the name is relative to the current directory.
  settings.WriteSetting("Default", "Defaults", "Project String File Name", "$_Project.STR");
  settings.WriteSettingNumber("Default", "User Strings", "Num User Replacements", 4);
  UserString(0, "U0", "zero");
  UserString(1, "", "no holder");
  UserString(2, "U2", "");
  UserString(3, "U3", "three");
  UserString(4, "U4", "beyond the count");
  const std::vector<Replacement> expected = {
      {"PROJ", "project-pair"}, {"U0", "zero"}, {"U3", "three"}};
  EXPECT_EQ(LoadReplacements(settings, "Default", "MYAPP"), expected);
}

TEST_F(LoadReplacementsTest, MissingOrUnreadableProjectFileAddsNothing) {
  settings.WriteSettingNumber("Default", "User Strings", "Num User Replacements", 1);
  UserString(0, "A", "B");
  const std::vector<Replacement> only_user = {{"A", "B"}};
  for (const std::string& name : {dir.File("missing.str"), dir.path()}) {
    settings.WriteSetting("Default", "Defaults", "Project String File Name", name);
    EXPECT_EQ(LoadReplacements(settings, "Default", "P"), only_user) << name;
  }
}

}  // namespace
}  // namespace tallowik
