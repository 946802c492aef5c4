// The prompt dialog on the terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "quorvan/terminal_ui.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using Kind = PromptControl::Kind;
using testing_support::ReadFile;
using testing_support::TempDir;

PromptControl Control(Kind kind, int id, std::string default_text = "",
                      std::vector<std::string> entries = {}, std::string preselection = "") {
  PromptControl control;
  control.kind = kind;
  control.section = "S" + std::to_string(id);
  control.control_id = id;
  control.default_text = std::move(default_text);
  control.entries = std::move(entries);
  control.preselection = std::move(preselection);
  return control;
}

PromptControl Radio(int start, int end, int default_position, std::vector<std::string> values) {
  PromptControl control = Control(Kind::kRadio, 0, "", std::move(values));
  control.start_id = start;
  control.end_id = end;
  control.default_position = default_position;
  return control;
}

struct PromptRun {
  bool ok;
  PromptDialog dialog;
  std::string output;
};

PromptRun RunPrompt(std::vector<PromptControl> controls, const std::string& answers,
                    PromptLayoutRunner runner = nullptr) {
  TempDir dir;
  int in = open(dir.Write("in", answers).c_str(), O_RDONLY);
  int out = open(dir.File("out").c_str(), O_WRONLY | O_CREAT, 0600);
  PromptRun run;
  run.dialog.controls = std::move(controls);
  {
    TerminalUserInterface ui(in, out, -1);
    if (runner) ui.SetPromptLayoutRunner(std::move(runner));
    run.ok = ui.RunPrompt(run.dialog);
  }
  close(in);
  close(out);
  run.output = ReadFile(dir.File("out"));
  return run;
}

// One of each kind; the static text and the ignored item are not asked.
std::vector<PromptControl> AllKinds() {
  return {Control(Kind::kStatic, 1, "title"),
          Control(Kind::kEdit, 2, "Area"),
          Control(Kind::kCombo, 3, "", {"Public", "Private"}, "PRIVATE"),
          Control(Kind::kList, 4, "", {"Value", "Service"}),
          Control(Kind::kCheck, 5),
          Radio(10, 12, 2, {"first", "", "third"}),
          Control(Kind::kIgnored, 6),
          Control(Kind::kEdit, 2, "Area")};
}

struct TerminalCase {
  const char* answers;
  std::string edit, combo, list;
  bool checked;
  int radio;
};

TEST(TerminalPrompt, AsksEachItemOnceInOrderAndEmptyLinesKeepThePresets) {
  const TerminalCase cases[] = {
      {"\n\n\n\n\n", "Area", "Private", "Value", false, 2},
      {"Volume\n1\n2\ny\n2\n", "Volume", "Public", "Service", true, 1},
      {"x\n9\n1\n\nmaybe\nn\n0\n1\n", "x", "Public", "Value", false, 0},
  };
  for (const TerminalCase& c : cases) {
    PromptRun run = RunPrompt(AllKinds(), c.answers);
    ASSERT_TRUE(run.ok) << c.answers;
    const std::vector<PromptControl>& got = run.dialog.controls;
    EXPECT_EQ(got[1].text, c.edit) << c.answers;
    EXPECT_EQ(got[7].text, c.edit) << "the same control takes the same answer";
    EXPECT_EQ(got[2].text, c.combo) << c.answers;
    EXPECT_EQ(got[3].text, c.list) << c.answers;
    EXPECT_EQ(got[4].checked, c.checked) << c.answers;
    EXPECT_EQ(got[5].selected_position, c.radio) << c.answers;
    for (const PromptControl& control : got) EXPECT_TRUE(control.found);
  }
  PromptRun shown = RunPrompt(AllKinds(), "\n\n\n\n\n");
  for (const char* part : {"S2 [Area]: ", "  2. Private\nChoice [2]: ", "S5 [n]: ", "  1. first\n",
                           "  2. Button 11\n", "  3. third\nChoice [3]: "}) {
    EXPECT_NE(shown.output.find(part), std::string::npos) << part << " in\n" << shown.output;
  }
  EXPECT_EQ(shown.output.find("title"), std::string::npos);
}

TEST(TerminalPrompt, EndOfInputCancelsAndLeavesTheAnswersUnset) {
  for (const char* answers : {"", "Volume\n", "Volume\n1\n2\n"}) {
    PromptRun run = RunPrompt(AllKinds(), answers);
    EXPECT_FALSE(run.ok) << answers;
    EXPECT_EQ(run.dialog.controls[1].text, "") << answers;
    EXPECT_FALSE(run.dialog.controls[1].found) << answers;
  }
  // Nothing to ask: OK without reading.
  EXPECT_TRUE(RunPrompt({Control(Kind::kStatic, 1), Control(Kind::kList, 2)}, "").ok);
}

TEST(TerminalPrompt, TheLayoutRunnersOutcomeDecidesAndWithoutQtTheItemsAreAsked) {
  using Status = LayoutPromptStatus;
  struct Case {
    Status status;
    bool ok;
    std::string printed;
  };
  const Case cases[] = {
      {Status::kOk, true, ""},
      {Status::kCancelled, false, ""},
      {Status::kNoLibrary, false, "Unable to find resource DLL: lib.rcc\n"},
      {Status::kNoLayout, false, "Unable to find Dialog resource\n"},
      {Status::kNoQt, true, "The dialog layout cannot be read without Qt"},
  };
  for (const Case& c : cases) {
    int calls = 0;
    PromptRun run = RunPrompt({Control(Kind::kEdit, 2, "Area")}, "Volume\n",
                              [&](PromptDialog& dialog, PromptAsker&) {
                                ++calls;
                                dialog.library_path = "lib.rcc";
                                return c.status;
                              });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(run.ok, c.ok) << static_cast<int>(c.status);
    const bool items_follow = c.status == Status::kNoQt;
    EXPECT_EQ(items_follow ? run.output.substr(0, c.printed.size()) : run.output, c.printed);
    // Only without Qt are the items asked one by one.
    EXPECT_EQ(run.dialog.controls[0].text, items_follow ? "Volume" : "");
  }
}

}  // namespace
}  // namespace quorvan
