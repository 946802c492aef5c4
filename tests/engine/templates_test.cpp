#include "engine/templates.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "config/memory_store.h"
#include "support/temp_dir.h"

namespace engine {
namespace {

using testing_support::TempDir;

// Collects what the reader hands over, one entry per call.
std::vector<std::string> Read(const std::string& path, int arguments, bool* ok = nullptr) {
  std::vector<std::string> lines;
  RecordingNotifier notifier;
  bool result = ReadTemplateLines(path, arguments, [&](std::string& l) { lines.push_back(l); },
                                  notifier);
  if (ok) *ok = result;
  return lines;
}

TEST(ReadTemplateLines, Table) {
  struct Case {
    const char* name;
    const char* file;
    int arguments;
    std::vector<std::string> lines;
  } cases[] = {
      {"marker with blanks", "a\n  [Template] \t\nx\n", 0, {"x\n"}},
      {"lower-case marker", "[template]\nx\n", 0, {}},
      {"no template", "[Dialog]\nResID=1\n", 0, {}},
      {"section after it is text", "[Template]\n[Other]\nk=v", 0, {"[Other]\n", "k=v"}},
      {"crlf kept", "[Template]\r\nx\r\n", 0, {"x\r\n"}},
      {"block", "[Template]\n$_StartArgRepeat ignored\n<$_ArgRepeat>\nb\n$_EndArgRepeat\nz\n", 3,
       {"<0>\nb\n", "<1>\nb\n", "<2>\nb\n", "z\n"}},
      {"no arguments", "[Template]\n$_StartArgRepeat\nx\n$_EndArgRepeat\ny\n", 0, {"y\n"}},
      {"lower end", "[Template]\n$_StartArgRepeat\nx\n$_endargrepeat\ny\n", 1, {"x\n", "y\n"}},
      {"lower start", "[Template]\n$_startargrepeat\nx\n", 1, {"$_startargrepeat\n", "x\n"}},
      {"indented start", "[Template]\n $_StartArgRepeat\n", 1, {" $_StartArgRepeat\n"}},
      {"end right after start", "[Template]\n$_StartArgRepeat\n$_EndArgRepeat\nx\n$_EndArgRepeat\n",
       1, {"$_EndArgRepeat\nx\n"}},
      {"block to the end", "[Template]\n$_StartArgRepeat\n$_ArgRepeat", 2, {"0", "1"}},
      {"start at the end", "[Template]\n$_StartArgRepeat\n", 2, {}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    std::string path = dir.Write("t.ctl", c.file);
    EXPECT_EQ(Read(path, c.arguments), c.lines) << c.name;
  }
}

TEST(ReadTemplateLines, LongLinesArriveInPiecesAndZeroBytesStay) {
  TempDir dir;
  std::string long_line(2000, 'x');
  std::string with_zero("a\0b\n", 4);
  std::string path = dir.Write("t.ctl", "[Template]\n" + long_line + "\n" + with_zero);
  std::vector<std::string> lines = Read(path, 0);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], std::string(1023, 'x'));
  EXPECT_EQ(lines[1], std::string(977, 'x') + "\n");
  EXPECT_EQ(lines[2], with_zero);
}

TEST(ReadTemplateLines, MissingFileShowsTheMessage) {
  RecordingNotifier notifier;
  EXPECT_FALSE(ReadTemplateLines("/nonexistent/X.CTL", 0, [](std::string&) {}, notifier));
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0], "Unable to open template file /nonexistent/X.CTL");
}

class FindTemplateFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(getcwd(old_cwd_, sizeof old_cwd_), old_cwd_);
    ASSERT_EQ(chdir(dir_.path().c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(old_cwd_), 0); }
  std::string Find(std::string name) {
    FindTemplateFile(name, settings_);
    return name;
  }
  TempDir dir_;
  config::MemoryStore store_;
  config::Settings settings_{store_};
  char old_cwd_[4096];
};

TEST_F(FindTemplateFileTest, SearchOrder) {
  dir_.Write("one/A.CTL", "1");
  dir_.Write("two/A.CTL", "2");
  dir_.Write("two/B.CTL", "2");
  settings_.WriteSetting("Default", "Defaults", "Template Path",
                         ";" + dir_.File("missing") + ";" + dir_.File("one") + "/;" +
                             dir_.File("two"));
  EXPECT_EQ(Find("A.CTL"), dir_.File("one/A.CTL"));
  EXPECT_EQ(Find("B.CTL"), dir_.File("two/B.CTL"));
  EXPECT_EQ(Find("C.CTL"), "");
  EXPECT_EQ(Find(""), "");
  dir_.Write("A.CTL", "here");  // the current directory comes first
  EXPECT_EQ(Find("A.CTL"), dir_.File("A.CTL"));
  EXPECT_EQ(Find(dir_.File("two/B.CTL")), dir_.File("two/B.CTL"));
  EXPECT_EQ(Find("one"), "");  // a directory is no control file
}

// A prompt step that answers every expression "$_DlgGet(x)" with "X".
class FakePrompt : public PromptStep {
 public:
  explicit FakePrompt(bool answer) : answer_(answer) {}
  bool Run(TemplateExpander& expander) override {
    ++runs;
    DlgGetItem item;
    item.expression = "$_DlgGet(x)";
    item.value = "X";
    expander.prompt_items().push_back(item);
    return answer_;
  }
  int runs = 0;

 private:
  bool answer_;
};

TEST(ExpandControlFile, SubstitutesThenReplacesPromptsThenEmits) {
  TempDir dir;
  std::string path = dir.Write("F.CTL",
                               "[Dialog]\nResDllName=lib.rcc\n[Template]\n"
                               "$_StartArgRepeat\n$_ArgName$_ArgRepeat $_DlgGet(x)\n"
                               "$_EndArgRepeat\n$_Function\n");
  VariableTable table;
  table.Append("$_ArgName0", "a");
  table.Append("$_ArgName1", "b");
  table.Append("$_Function", "f");
  RecordingNotifier notifier;
  FakePrompt prompt(true);
  TextExpander expander(notifier, &prompt);
  ASSERT_TRUE(expander.ExpandControlFile(path, table, 2));
  EXPECT_EQ(expander.result, "a X\nb X\nf\n");
  EXPECT_EQ(prompt.runs, 1);
  EXPECT_TRUE(expander.prompt_items().empty());
  EXPECT_EQ(expander.table(), nullptr);

  FakePrompt cancel(false);
  TextExpander cancelled(notifier, &cancel);
  EXPECT_FALSE(cancelled.ExpandControlFile(path, table, 2));
  EXPECT_EQ(cancelled.result, "");

  TextExpander without_dialogs(notifier);
  EXPECT_FALSE(without_dialogs.ExpandControlFile(path, table, 2));
  EXPECT_EQ(notifier.messages.back(), "Unable to find resource DLL: lib.rcc");
}

TEST(ExpandControlFile, NoDialogSectionAndFailures) {
  TempDir dir;
  RecordingNotifier notifier;
  FakePrompt prompt(true);
  TextExpander expander(notifier, &prompt);
  VariableTable table;
  EXPECT_FALSE(expander.ExpandControlFile("", table, 0));
  std::string path = dir.Write("M.CTL", "[Template]\nplain\n");
  ASSERT_TRUE(expander.ExpandControlFile(path, table, 0));
  EXPECT_EQ(expander.result, "plain\n");
  EXPECT_EQ(prompt.runs, 0);
  EXPECT_FALSE(expander.ExpandControlFile(dir.File("gone.ctl"), table, 0));
  EXPECT_EQ(notifier.messages.size(), 1u);
}

}  // namespace
}  // namespace engine
