// One run of ferrul with a scripted user interface and a recording awk.
#include "ferrul/ferrul_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "ferrul/terminal_ferrul.h"
#include "support/temp_dir.h"

namespace ferrul {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

class ScriptedUi : public FerrulUi {
 public:
  void ShowWarning(const Warning& warning) override { warnings.push_back(warning); }
  EditResult EditScript(std::string& script) override {
    shown_script = script;
    if (answer == EditResult::kConfirmed && typed) script = *typed;
    return answer;
  }
  void BeginWait() override { events.push_back("wait"); }
  void EndWait() override { events.push_back("done"); }

  EditResult answer = EditResult::kConfirmed;
  std::optional<std::string> typed;
  std::optional<std::string> shown_script;
  std::vector<Warning> warnings;
  std::vector<std::string> events;
};

class RecordingAwk : public AwkRunner {
 public:
  AwkResult Run(const std::string& script_file, const std::string& input_file,
                const std::string& output_file) override {
    events.push_back("awk");
    calls.push_back({script_file, input_file, output_file});
    script_at_start = ReadFile(script_file);
    return result;
  }
  std::vector<std::vector<std::string>> calls;
  std::vector<std::string>& events;
  std::string script_at_start;
  AwkResult result = AwkResult::kRan;
  explicit RecordingAwk(std::vector<std::string>& shared_events) : events(shared_events) {}
};

class FerrulRunTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args) { return RunFerrul(args, script_file_, ui_, awk_); }

  TempDir dir_;
  std::string script_file_ = dir_.File("ferrul.awk");
  std::string input_ = dir_.Write("my input.txt", "text\n");
  ScriptedUi ui_;
  RecordingAwk awk_{ui_.events};
};

TEST_F(FerrulRunTest, WrongArgumentsWarnAndEndWithNothingWritten) {
  using Args = std::vector<std::string>;
  struct Case {
    Args args;
    Warning warning;
  } cases[] = {
      {{}, {"Usage:  FERRUL.EXE infile outfile", "Ferrule - Invalid Command Line"}},
      {{input_}, {"Usage:  FERRUL.EXE infile outfile", "Ferrule - Invalid Command Line"}},
      {{input_, "out", "extra"},
       {"Usage:  FERRUL.EXE infile outfile", "Ferrule - Invalid Command Line"}},
      {{dir_.File("missing in"), "out"},
       {"Input file " + dir_.File("missing in") + " does not exist", "Ferrule - Invalid File"}},
  };
  for (const Case& c : cases) {
    ui_ = ScriptedUi();
    EXPECT_EQ(Run(c.args), kExitError);
    EXPECT_EQ(ui_.warnings, std::vector<Warning>{c.warning});
    EXPECT_FALSE(ui_.shown_script.has_value());
  }
  EXPECT_TRUE(awk_.calls.empty());
  EXPECT_FALSE(FileExists(script_file_));
}

TEST_F(FerrulRunTest, OkStoresTheScriptBeforeAwkRunsWithTheWaitCursor) {
  dir_.Write("ferrul.awk", std::string("{ print }\0tail", 14));
  ui_.typed = "{ print $2 }";
  EXPECT_EQ(Run({input_, dir_.File("out put")}), kExitSuccess);
  EXPECT_EQ(ui_.shown_script, "{ print }");
  EXPECT_EQ(awk_.script_at_start, "{ print $2 }");
  EXPECT_EQ(awk_.calls,
            (std::vector<std::vector<std::string>>{{script_file_, input_, dir_.File("out put")}}));
  EXPECT_EQ(ui_.events, (std::vector<std::string>{"wait", "awk", "done"}));
}

TEST_F(FerrulRunTest, AnEmptyScriptIsWrittenAndRun) {
  dir_.Write("ferrul.awk", "old");
  ui_.typed = "";
  EXPECT_EQ(Run({input_, "out"}), kExitSuccess);
  EXPECT_EQ(ReadFile(script_file_), "");
  EXPECT_EQ(awk_.calls.size(), 1u);
}

TEST_F(FerrulRunTest, CancelKeepsThePreviousScriptAndRunsNothing) {
  dir_.Write("ferrul.awk", "previous");
  ui_.answer = FerrulUi::EditResult::kCancelled;
  ui_.typed = "edited";
  EXPECT_EQ(Run({input_, "out"}), kExitSuccess);
  EXPECT_EQ(ReadFile(script_file_), "previous");
  EXPECT_TRUE(awk_.calls.empty());
  EXPECT_TRUE(ui_.warnings.empty());
}

TEST_F(FerrulRunTest, AwkFailuresAreWarnedAfterTheWaitCursor) {
  struct Case {
    AwkResult result;
    Warning warning;
  } cases[] = {
      {AwkResult::kCannotStart, {"AWK command interpreter failed", "Ferrule - invalid command"}},
      {AwkResult::kInputUnreadable,
       {"Input file " + input_ + " cannot be read", "Ferrule - Invalid File"}},
      {AwkResult::kOutputUnwritable,
       {"Output file out cannot be written", "Ferrule - Invalid File"}},
  };
  for (const Case& c : cases) {
    ui_ = ScriptedUi();
    awk_.result = c.result;
    awk_.events.clear();
    EXPECT_EQ(Run({input_, "out"}), kExitError);
    EXPECT_EQ(ui_.warnings, std::vector<Warning>{c.warning});
  }
}

TEST_F(FerrulRunTest, AScriptFileThatCannotBeWrittenStillRunsAwk) {
  std::filesystem::create_directory(script_file_);
  ui_.typed = "{ print }";
  EXPECT_EQ(Run({input_, "out"}), kExitSuccess);
  EXPECT_EQ(awk_.calls.size(), 1u);
  EXPECT_TRUE(std::filesystem::is_directory(script_file_));
}

// Sets environment variables for one test and restores them.
class ScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        unsetenv(it->first.c_str());
      }
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(TerminalFerrulUi, TheEditorsStatusDecidesAndTheCopyIsRemoved) {
  TempDir dir;
  struct Case {
    const char* visual;
    const char* editor;
    FerrulUi::EditResult result;
    const char* script_after;
  } cases[] = {
      {nullptr, "sed -i s/old/new/", FerrulUi::EditResult::kConfirmed, "new script"},
      {"sed -i s/old/visual/", "false", FerrulUi::EditResult::kConfirmed, "visual script"},
      {"", "true", FerrulUi::EditResult::kConfirmed, "old script"},
      {nullptr, "false", FerrulUi::EditResult::kCancelled, "old script"},
      {nullptr, "no-such-editor-program", FerrulUi::EditResult::kFailed, "old script"},
      {nullptr, "'unterminated", FerrulUi::EditResult::kFailed, "old script"},
  };
  for (const Case& c : cases) {
    ScopedEnvironment env;
    env.Set("VISUAL", c.visual);
    env.Set("EDITOR", c.editor);
    env.Set("TMPDIR", dir.path().c_str());
    TerminalFerrulUi ui(-1);
    std::string script = "old script";
    EXPECT_EQ(ui.EditScript(script), c.result) << c.editor;
    EXPECT_EQ(script, c.script_after) << c.editor;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << c.editor;
  }
}

}  // namespace
}  // namespace ferrul
