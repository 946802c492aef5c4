// The built quorvan in filter mode: standard input to standard output, with no
// terminal (so its dialogs cancel), next to a clipboard store and an IDE window that
// it must leave alone.
#include <gtest/gtest.h>

#include "config/registry_file.h"
#include "config/settings.h"
#include "support/test_desktop.h"

namespace {

using testing_support::ProgramResult;
using testing_support::TestDesktop;
using Strings = std::vector<std::string>;

struct ProcessCase {
  const char* name;
  Strings args;
  std::string input;
  int exit_code;
  std::string out;  // empty: the input, unchanged
  // What standard error holds: nothing, the usage message, or anything (a started
  // filter's own output).
  enum class Err { kNothing, kUsage, kAnything } err = Err::kNothing;
};

class FilterModeProcess : public ::testing::Test {
 protected:
  FilterModeProcess() {
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings(store).WriteSetting("Defaults", "Template Path", desktop_.root());
    desktop_.Write("FCNHDR.CTL", "[Template]\n// $_Function\n$_FcnStatement");
  }

  TestDesktop desktop_;
};

TEST_F(FilterModeProcess, ActionsRunFromStandardInputToStandardOutput) {
  desktop_.SetClipboardText("on the clipboard");
  testing_support::IdePeer* ide = desktop_.StartIde({.selection = "in the IDE"});
  ASSERT_NE(ide, nullptr);

  const ProcessCase cases[] = {
      {"header", {"/0", "--filter"}, "int Area(int w)\n", 0, "// Area\nint Area(int w)\n"},
      {"header, CR LF",
       {"--filter", "-0"},
       "int Area(int w)\r\n",
       0,
       "// Area\r\nint Area(int w)\r\n"},
      {"no declaration", {"/0", "--filter"}, "hello\n", 1, ""},
      {"binary", {"/0", "--filter"}, std::string("int A(\0)\n", 9), 1, ""},
      // Without a terminal the dialog cancels, silently: standard input holds the
      // selection, never answers.
      {"column insert", {"/7", "--filter"}, "y\ny\n", 1, ""},
      {"common string", {"/5", "--filter"}, "1\n", 1, ""},
      {"filter dialog", {"/4", "--filter"}, "abc\n", 1, ""},
      {"filter command", {"/4", "/E", "tr a-z A-Z", "--filter"}, "abc\n", 0, "ABC\n"},
      // A file filter's own standard output must not mix into the result.
      {"noisy file filter",
       {"/4", "/B", "/E", "sh -c 'echo noise; tr a-z A-Z <\"$0\" >\"$1\"'", "--filter"},
       "abc\n",
       0,
       "ABC\n",
       ProcessCase::Err::kAnything},
      {"not a filter", {"/3", "--filter"}, "abc\n", 2, "", ProcessCase::Err::kUsage},
      {"no action", {"--filter"}, "abc\n", 2, "", ProcessCase::Err::kUsage},
  };
  for (const ProcessCase& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramResult run = desktop_.Run("quorvan", c.args, c.input);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.out, c.out.empty() ? c.input : c.out);
    if (c.err == ProcessCase::Err::kUsage) {
      EXPECT_NE(run.err.find("--filter"), std::string::npos) << run.err;
    } else if (c.err == ProcessCase::Err::kNothing) {
      EXPECT_EQ(run.err, "");
    }
  }
  EXPECT_EQ(desktop_.Clipboard(), (platform::ClipboardContents{{"CF_TEXT", "on the clipboard"}}));
  EXPECT_TRUE(ide->Commands().empty());
}

TEST_F(FilterModeProcess, AStandardOutputThatCannotTakeTheResultFails) {
  const char* const redirections[] = {">&-", ">/dev/full"};
  for (const char* redirection : redirections) {
    SCOPED_TRACE(redirection);
    ProgramResult run =
        testing_support::RunProgram("/bin/sh",
                                    {"-c", std::string("exec \"$0\" /0 --filter ") + redirection,
                                     testing_support::BuiltProgram("quorvan")},
                                    desktop_.Env(), "int Area(int w)\n");
    EXPECT_EQ(run.exit_code, 1) << run.err;
  }
}

}  // namespace
