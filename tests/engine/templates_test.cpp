#include "engine/templates.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "config/memory_store.h"
#include "support/temp_dir.h"

namespace engine {
namespace {

using testing_support::TempDir;
using Lines = std::vector<std::string>;

TEST(ReadTemplateLines, Table) {
  const std::string x1100(1100, 'x'), y1023(1023, 'y');
  struct Case {
    const char* name;
    std::string file;
    int arguments;
    Lines lines;
  } cases[] = {
      {"marker with blanks", "a\n  [Template] \t\nx\n", 0, {"x\n"}},
      {"lower-case marker", "[template]\nx\n", 0, {}},
      {"no template", "[Dialog]\nResID=1\n", 0, {}},
      {"section after it is text", "[Template]\n[Other]\nk=v", 0, {"[Other]\n", "k=v"}},
      {"crlf kept", "[Template]\r\nx\r\n", 0, {"x\r\n"}},
      {"zero bytes are data",
       std::string("[Template]\na\0b\n\0", 16),
       0,
       {std::string("a\0b\n", 4), std::string(1, '\0')}},
      {"2000 bytes in two pieces",
       "[Template]\n" + std::string(2000, 'x') + "\n",
       0,
       {std::string(1023, 'x'), std::string(977, 'x') + "\n"}},
      {"line end alone", "[Template]\n" + y1023 + "\n", 0, {y1023, "\n"}},
      {"three arguments",
       "[Template]\n$_StartArgRepeat ignored\n<$_ArgRepeat>\nb\n$_EndArgRepeat\nz",
       3,
       {"<0>\nb\n", "<1>\nb\n", "<2>\nb\n", "z"}},
      {"no arguments", "[Template]\n$_StartArgRepeat\nx\n$_EndArgRepeat\ny\n", 0, {"y\n"}},
      {"lower-case end", "[Template]\n$_StartArgRepeat\nx\n$_endARGrepeat\ny\n", 1, {"x\n", "y\n"}},
      {"lower-case start", "[Template]\n$_startargrepeat\n", 1, {"$_startargrepeat\n"}},
      {"indented start", "[Template]\n $_StartArgRepeat\n", 1, {" $_StartArgRepeat\n"}},
      {"end right after start",
       "[Template]\n$_StartArgRepeat\n$_EndArgRepeat\nx\n$_EndArgRepeat\ny\n",
       1,
       {"$_EndArgRepeat\nx\n", "y\n"}},
      {"block to the end",
       "[Template]\n$_StartArgRepeat\n$_ArgRepeat;$_ArgRepeat",
       11,
       {"0;0", "1;1", "2;2", "3;3", "4;4", "5;5", "6;6", "7;7", "8;8", "9;9", "10;10"}},
      {"start at the end", "[Template]\n$_StartArgRepeat\n", 2, {}},
      // A long marker line is one marker; a piece continuing a line is never one.
      {"long marker lines",
       "[Template]" + std::string(1500, ' ') + "\n$_StartArgRepeat" + x1100 + "\nb" + y1023 +
           "$_EndArgRepeat\n$_EndArgRepeat" + x1100 + "\n" + y1023 + "$_StartArgRepeat\n",
       1,
       {"b" + y1023 + "$_EndArgRepeat\n", y1023, "$_StartArgRepeat\n"}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    Lines lines;
    RecordingNotifier notifier;
    EXPECT_TRUE(ReadTemplateLines(
        dir.Write("t.ctl", c.file), c.arguments, [&](std::string& l) { lines.push_back(l); },
        notifier));
    EXPECT_EQ(lines, c.lines) << c.name;
    EXPECT_TRUE(notifier.messages.empty());
  }
}

TEST(ReadTemplateLines, UnreadableFileShowsTheMessage) {
  TempDir dir;
  for (const std::string& path : {std::string("/nonexistent/X.CTL"), dir.path()}) {
    RecordingNotifier notifier;
    EXPECT_FALSE(ReadTemplateLines(
        path, 0, [](std::string&) { FAIL(); }, notifier));
    EXPECT_EQ(notifier.messages, Lines{"Unable to open template file " + path});
  }
}

TEST(FindTemplateFile, SearchOrder) {
  TempDir dir;
  char old_cwd[4096];
  ASSERT_EQ(getcwd(old_cwd, sizeof old_cwd), old_cwd);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  for (const char* file : {"one/A.CTL", "two/A.CTL", "two/B.CTL", "two/s/D.CTL", "C.CTL", "E/x"}) {
    dir.Write(file, "");
  }
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Default", "Defaults", "Template Path",
                        ";" + dir.File("gone") + ";;" + dir.File("one") + "/; " + dir.File("two"));
  std::pair<std::string, std::string> cases[] = {
      {"A.CTL", dir.File("one/A.CTL")},  // the first directory that holds it
      {"B.CTL", dir.File("two/B.CTL")},
      {"s/D.CTL", dir.File("two/s/D.CTL")},
      {"C.CTL", dir.File("C.CTL")},  // the current directory comes first
      {"./one/../C.CTL", dir.File("C.CTL")},
      {dir.File("two/B.CTL"), dir.File("two/B.CTL")},
      {"/B.CTL", ""},  // an absolute name is not looked for along the path
      {"F.CTL", ""},
      {"", ""},
      {"E", ""},  // a directory is no control file
  };
  for (auto [name, found] : cases) {
    std::string given = name;
    FindTemplateFile(name, settings);
    EXPECT_EQ(name, found) << given;
  }
  ASSERT_EQ(chdir(old_cwd), 0);
}

// Answers "$_DlgGet(x)" with "X" and "$_DlgGet(y)" with "$_F"; can remove the
// control file to show that it is not read afterwards.
class FakePrompt : public PromptStep {
 public:
  explicit FakePrompt(bool answer, bool remove_file = false)
      : answer_(answer), remove_file_(remove_file) {}
  bool Run(TemplateExpander& expander) override {
    ++runs;
    seen = expander.control_path() + "|" + std::to_string(expander.argument_count());
    if (remove_file_) std::remove(expander.control_path().c_str());
    expander.prompt_items().push_back({"", "", 0, "X", "$_DlgGet(x)"});
    expander.prompt_items().push_back({"", "", 0, "$_F", "$_DlgGet(y)"});
    return answer_;
  }
  int runs = 0;
  std::string seen;

 private:
  bool answer_, remove_file_;
};

TEST(ExpandControlFile, PromptStepThenSubstitutionThenPrompts) {
  TempDir dir;
  const std::string text =
      "[Dialog]\nResDllName=lib.rcc\n[Template]\n$_StartArgRepeat\n"
      "$_N$_ArgRepeat $_DlgGet(x)\n$_EndArgRepeat\n$_F $_DlgGet(y)" +
      std::string(1100, '.') + std::string("\0$_F\r\n", 6);
  const std::string path = dir.Write("F.CTL", text);
  VariableTable table;
  table.Append("$_N0", "a");
  table.Append("$_N1", "$_DlgGet(x)");  // a value may hold a prompt expression
  table.Append("$_F", "f");
  RecordingNotifier notifier;
  FakePrompt prompt(true);
  TextExpander expander(notifier, &prompt);
  ASSERT_TRUE(expander.ExpandControlFile(path, table, 2));
  // A prompt answer is not substituted again; zero bytes and long lines pass through.
  EXPECT_EQ(expander.result,
            "a X\nX X\nf $_F" + std::string(1100, '.') + std::string("\0f\r\n", 4));
  EXPECT_EQ(prompt.seen, path + "|2");
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_TRUE(expander.prompt_items().empty());
  EXPECT_EQ(expander.table(), nullptr);
  EXPECT_EQ(expander.control_path(), "");

  // A cancelled prompt stops before the template is read: no message about the
  // file it removed.
  FakePrompt cancel(false, true);
  TextExpander cancelled(notifier, &cancel);
  EXPECT_FALSE(cancelled.ExpandControlFile(path, table, 2));
  EXPECT_EQ(cancelled.result, "");
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_TRUE(cancelled.prompt_items().empty());

  dir.Write("F.CTL", text);
  TextExpander without_dialogs(notifier);
  EXPECT_FALSE(without_dialogs.ExpandControlFile(path, table, 2));
  EXPECT_EQ(notifier.messages, Lines{"Unable to find resource DLL: lib.rcc"});
}

TEST(ExpandControlFile, WithoutDialogAndFailures) {
  TempDir dir;
  RecordingNotifier notifier;
  FakePrompt prompt(true);
  TextExpander expander(notifier, &prompt);
  VariableTable table;
  EXPECT_FALSE(expander.ExpandControlFile("", table, 0));
  ASSERT_TRUE(expander.ExpandControlFile(dir.Write("M.CTL", "[Dialog]\nResID=3\n[Template]\n$_x\n"),
                                         table, 0));
  EXPECT_EQ(expander.result, "$_x\n");
  EXPECT_EQ(prompt.runs, 0);
  EXPECT_FALSE(expander.ExpandControlFile(dir.File("gone.ctl"), table, 0));
  EXPECT_EQ(notifier.messages, Lines{"Unable to open template file " + dir.File("gone.ctl")});
}

}  // namespace
}  // namespace engine
