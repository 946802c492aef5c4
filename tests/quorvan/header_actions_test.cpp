#include "quorvan/actions/header_actions.h"

#include <gtest/gtest.h>

#include "fake_app.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using platform::ClipboardContents;
using testing_support::TempDir;

std::tm March5th1995() {
  std::tm moment{};
  moment.tm_year = 95;
  moment.tm_mon = 2;
  moment.tm_mday = 5;
  return moment;
}

struct Fixture : FakeApp {
  Fixture() {
    settings.WriteSetting("Defaults", "User ID", "jdoe");
    settings.WriteSetting("Defaults", "Template Path", dir.path());
  }
  TempDir dir;
  engine::FixedClock clock{March5th1995()};
};

struct HeaderCase {
  const char* selection;
  const char* template_text;
  bool ok;
  const char* result;
};

TEST(FunctionHeader, ExpandsTheControlFileWithTheDeclarationsVariables) {
  const HeaderCase cases[] = {
      {"int CFoo::Bar(int a, char* b = 0) const", "$_ClassFunc|$_Return|$_Const|$_UserID|$_Date",
       true, "CFoo::Bar|int|const|jdoe|3/5/95"},
      {"void f(int a, long b)",
       "args:\n$_StartArgRepeat\n [$_ArgRepeat] $_ArgName$_ArgRepeat: $_ArgReturn$_ArgRepeat\n"
       "$_EndArgRepeat\n$_FcnStatement",
       true, "args:\n [0] a: int\n [1] b: long\nvoid f(int a, long b)"},
      {"void f()", "x\n$_StartArgRepeat\nnever\n$_endargrepeat\ny", true, "x\ny"},
      {"void f(int a, int b)", "$_ArgName0 $_ArgName5 $_Nothing", true, "a $_ArgName5 $_Nothing"},
      {"int f(int a) { return a; } // body", "$_FcnStatement", true,
       "int f(int a) { return a; } // body"},
      {"int no_parentheses;", "$_Function", false, ""},
  };
  for (const HeaderCase& c : cases) {
    Fixture f;
    f.dir.Write("FCNHDR.CTL", std::string("; header\n[Template]\n") + c.template_text);
    f.clipboard.Put("CF_TEXT", c.selection);
    SCOPED_TRACE(c.selection);
    EXPECT_EQ(FunctionHeader(f.app, f.clock), c.ok);
    if (c.ok) {
      EXPECT_EQ(f.clipboard.contents(),
                (ClipboardContents{{"CF_TEXT", c.result}, {"Quorvan Format", "\1"}}));
    } else {
      EXPECT_EQ(f.clipboard.contents(), (ClipboardContents{{"CF_TEXT", c.selection}}));
    }
    EXPECT_EQ(f.ide.requests, std::vector<std::string>{"copy"});
  }
}

TEST(FunctionHeader, AColumnSelectionComesBackAsOne) {
  Fixture f;
  f.dir.Write("FCNHDR.CTL", "[Template]\n// $_Function\n");
  f.clipboard.Put("MSVCColumnSelect", "\1");
  f.clipboard.Put("CF_TEXT", "void f()");
  ASSERT_TRUE(FunctionHeader(f.app, f.clock));
  EXPECT_EQ(f.clipboard.Get("MSVCColumnSelect"), "\1");
  EXPECT_EQ(f.app.ColumnSelection, 0);
}

TEST(FunctionHeader, AMissingControlFileOrAnEmptyResultFails) {
  Fixture f;
  f.clipboard.Put("CF_TEXT", "void f()");
  EXPECT_FALSE(FunctionHeader(f.app, f.clock));  // not found: silent
  EXPECT_TRUE(f.ui.messages.empty());
  f.dir.Write("FCNHDR.CTL", "no template marker: the result is empty\n");
  EXPECT_FALSE(FunctionHeader(f.app, f.clock));
  EXPECT_EQ(f.clipboard.contents(), (ClipboardContents{{"CF_TEXT", "void f()"}}));
}

struct ModuleCase {
  std::string file_name;
  const char* expected;
};

TEST(ModuleHeader, UsesTheFileNameAndLeavesFunctionVariablesAlone) {
  const ModuleCase cases[] = {
      {"Unknown", "Unknown||$_Function|1995-03-05"},
      {"/src/Main.cpp", "/src/Main.cpp|Main|$_Function|1995-03-05"},
      {"D:\\WORK\\MAIN.CPP", "D:\\WORK\\MAIN.CPP|MAIN|$_Function|1995-03-05"},
      {"", "||$_Function|1995-03-05"},
  };
  for (const ModuleCase& c : cases) {
    Fixture f;
    f.dir.Write("MODHDR.CTL", "[Template]\n$_Filename|$_BaseFile|$_Function|$_Year-$_Month-$_Day");
    f.clipboard.Put("CF_TEXT", "marked");
    f.clipboard.Put("Quorvan Format", "\1");
    f.app.command_line.file_name = c.file_name;
    ASSERT_TRUE(ModuleHeader(f.app, f.clock)) << c.file_name;
    EXPECT_EQ(f.clipboard.Get("CF_TEXT"), c.expected);
    EXPECT_TRUE(f.ui.questions.empty());
    EXPECT_EQ(f.ide.requests, std::vector<std::string>{"position 0"});
  }
}

TEST(ModuleHeader, FailsWithoutItsControlFileAndDoesNotPosition) {
  Fixture f;
  f.clipboard.Put("CF_TEXT", "kept");
  EXPECT_FALSE(ModuleHeader(f.app, f.clock));
  EXPECT_TRUE(f.ide.requests.empty());
  EXPECT_EQ(f.clipboard.Get("CF_TEXT"), "kept");
}

}  // namespace
}  // namespace quorvan
