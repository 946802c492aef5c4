// The shipped editor recipes driving the built quorvan in filter mode, in the
// editors that can run without a screen: Vim in silent Ex mode and Emacs in batch
// mode, each editing a file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "config/registry_file.h"
#include "config/settings.h"
#include "support/temp_dir.h"
#include "support/test_desktop.h"

namespace {

using testing_support::ProgramResult;
using testing_support::TestDesktop;

// The full path of `program` found on PATH; empty when it is not there.
std::string OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string rest = path ? path : "";
  while (!rest.empty()) {
    std::size_t colon = rest.find(':');
    std::string candidate = rest.substr(0, colon) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
  }
  return "";
}

struct RecipeCase {
  const char* name;
  std::string before;
  std::string command;  // an Ex command line for Vim, an expression for Emacs
  std::string after;
};

class EditorRecipe : public ::testing::Test {
 protected:
  EditorRecipe() {
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings settings(store);
    settings.WriteSetting("Defaults", "Template Path", desktop_.root());
    desktop_.Write("FCNHDR.CTL", "[Template]\n// $_Function\n$_FcnStatement");
    desktop_.Write("MODHDR.CTL", "[Template]\n// $_BaseFile\n");
  }

  // Runs `program` with `args` in the session, finding quorvan on PATH first.
  ProgramResult Run(const std::string& program, const std::vector<std::string>& args) {
    testing_support::EnvironmentChanges env = desktop_.Env();
    const char* bin = std::getenv("BRK_BIN_DIR");
    const char* path = std::getenv("PATH");
    env["PATH"] = std::string(bin ? bin : ".") + ":" + (path ? path : "/usr/bin:/bin");
    return testing_support::RunProgram(program, args, env, "", 60000);
  }

  std::string Shipped(const std::string& name) const {
    return testing_support::ShippedDataDirectory() + "/editors/" + name;
  }

  TestDesktop desktop_;
};

TEST_F(EditorRecipe, VimPluginFiltersLinesAndKeepsThemOnFailure) {
  const std::string vim = OnPath("vim");
  if (vim.empty()) GTEST_SKIP() << "vim is not installed";
  const RecipeCase cases[] = {
      {"command over a line", "x\nint Area(int w)\ny\n", "2QuorvanHeader",
       "x\n// Area\nint Area(int w)\ny\n"},
      {"visual mapping", "x\nint Area(int w)\ny\n", "exe \"normal 2GV\\\\qh\"",
       "x\n// Area\nint Area(int w)\ny\n"},
      {"failure keeps the lines", "x\nno function here\ny\n", "2QuorvanHeader",
       "x\nno function here\ny\n"},
      {"module header at the top", "x\n", "QuorvanModuleHeader", "// demo\nx\n"},
      {"filter with a command", "ab\ncd\nef\n", "1,2QuorvanFilter tr a-z A-Z", "AB\nCD\nef\n"},
  };
  for (const RecipeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = desktop_.Write("demo.cpp", c.before);
    ProgramResult run = Run(
        vim, {"-es", "-u", "NONE", "-i", "NONE", "-N", "-c",
              "source " + Shipped("vim/plugin/quorvan.vim"), "-c", c.command, "-c", "wq", file});
    EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
    EXPECT_EQ(testing_support::ReadFile(file), c.after);
  }
}

TEST_F(EditorRecipe, EmacsCommandsReplaceTheRegionOnlyOnSuccess) {
  const std::string emacs = OnPath("emacs");
  if (emacs.empty()) GTEST_SKIP() << "emacs is not installed";
  const RecipeCase cases[] = {
      {"region", "x\nint Area(int w)\ny\n",
       "(quorvan-function-header (line-beginning-position 2) (line-beginning-position 3))",
       "x\n// Area\nint Area(int w)\ny\n"},
      {"failure keeps the region", "x\nno function\n",
       "(quorvan-function-header (point-min) (point-max))", "x\nno function\n"},
      {"module header at the top", "x\n", "(quorvan-module-header)", "// demo\nx\n"},
      {"filter command", "ab\ncd\n",
       "(quorvan-external-filter (point-min) (line-beginning-position 2) \"tr a-z A-Z\")",
       "AB\ncd\n"},
  };
  for (const RecipeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = desktop_.Write("demo.cpp", c.before);
    ProgramResult run =
        Run(emacs, {"--batch", "-Q", "-L", Shipped("emacs"), "-l", "quorvan", "--eval",
                    "(progn (find-file \"" + file + "\") (goto-char (point-min)) " + c.command +
                        " (save-buffer))"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(testing_support::ReadFile(file), c.after);
  }
}

}  // namespace
