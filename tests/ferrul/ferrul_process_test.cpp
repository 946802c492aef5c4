// The built ferrul, copied into a temporary directory so that its script file lies
// beside it, run without a display.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BuiltProgram;
using testing_support::EnvironmentChanges;
using testing_support::FileExists;
using testing_support::ProgramResult;
using testing_support::ReadFile;
using testing_support::RunProgram;
using testing_support::TempDir;

class FerrulProcess : public ::testing::Test {
 protected:
  FerrulProcess() {
    fs::copy_file(BuiltProgram("ferrul"), program_);
    fs::create_directory(dir_.File("tmp"));
  }

  ProgramResult Ferrul(const std::vector<std::string>& args, const char* editor = "true",
                       const char* path = nullptr) {
    EnvironmentChanges env{
        {"BRACKWATER_UI", "tty"}, {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt},
        {"VISUAL", std::nullopt}, {"EDITOR", editor},        {"TMPDIR", dir_.File("tmp")}};
    if (path) env["PATH"] = path;
    return RunProgram(program_, args, env);
  }

  TempDir dir_;
  std::string program_ = dir_.File("ferrul");
};

TEST_F(FerrulProcess, ArgumentProblemsPrintTheirMessageAndExitWithOne) {
  const std::string input = dir_.Write("in", "x\n");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{}, "Ferrule - Invalid Command Line: Usage:  FERRUL.EXE infile outfile\n"},
      {{input, "out", "more"},
       "Ferrule - Invalid Command Line: Usage:  FERRUL.EXE infile outfile\n"},
      {{dir_.File("no such"), "out"},
       "Ferrule - Invalid File: Input file " + dir_.File("no such") + " does not exist\n"},
  };
  for (const Case& c : cases) {
    ProgramResult run = Ferrul(c.args);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, c.message);
  }
  EXPECT_FALSE(FileExists(dir_.File("ferrul.awk")));
  EXPECT_FALSE(FileExists(dir_.File("out")));
}

TEST_F(FerrulProcess, RunsTheEditedScriptOverTheInput) {
  dir_.Write("ferrul.awk", "{ print OLD }\n");
  const std::string input = dir_.Write("my input", "a b\nc d\n");
  ProgramResult run = Ferrul({input, dir_.File("-my output")}, "sed -i s/OLD/$2/");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ReadFile(dir_.File("ferrul.awk")), "{ print $2 }\n");
  EXPECT_EQ(ReadFile(dir_.File("-my output")), "b\nd\n");
  EXPECT_TRUE(fs::is_empty(dir_.File("tmp")));
}

TEST_F(FerrulProcess, TheEditorFailingCancelsAndKeepsTheScript) {
  dir_.Write("ferrul.awk", "{ print }\n");
  const std::string input = dir_.Write("in", "x\n");
  ProgramResult run = Ferrul({input, dir_.File("out")}, "false");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(ReadFile(dir_.File("ferrul.awk")), "{ print }\n");
  EXPECT_FALSE(FileExists(dir_.File("out")));
}

TEST_F(FerrulProcess, WithoutAwkOnThePathItSaysSoAndStillKeepsTheScript) {
  const std::string input = dir_.Write("in", "x\n");
  fs::create_directory(dir_.File("bin"));
  // Only the editor is on the path.
  fs::create_symlink("/bin/true", dir_.File("bin/true"));
  ProgramResult run = Ferrul({input, dir_.File("out")}, "true", dir_.File("bin").c_str());
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "Ferrule - invalid command: AWK command interpreter failed\n");
  EXPECT_TRUE(FileExists(dir_.File("ferrul.awk")));
  EXPECT_FALSE(FileExists(dir_.File("out")));
}

}  // namespace
