// The built quorvan in filter mode: standard input to standard output, with no
// terminal (so its dialogs cancel), next to a clipboard store and an IDE window that
// it must leave alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "config/registry_file.h"
#include "config/settings.h"
#include "support/test_desktop.h"

namespace {

struct TerminalRun {
  int exit_code = -1;    // -1: killed after the time limit
  std::string terminal;  // what the program wrote to its terminal, with the echo
};

// Runs `program` on a pseudo-terminal that becomes its controlling terminal, with
// standard input, output and error from and to the files given, after `typed` has
// been typed at the terminal.
TerminalRun RunOnTerminal(const std::string& program, const std::vector<std::string>& args,
                          const testing_support::EnvironmentChanges& env,
                          const std::string& in_path, const std::string& out_path,
                          const std::string& err_path, const std::string& typed) {
  int master = -1, slave = -1;
  TerminalRun run;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return run;
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    ioctl(slave, TIOCSCTTY, 0);
    int in = open(in_path.c_str(), O_RDONLY);
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (const auto& [name, value] : env) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(slave);
  // Typed ahead: the terminal keeps the lines until the program reads them.
  if (write(master, typed.data(), typed.size()) < 0) return run;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int status = 0;
  for (;;) {
    pollfd fd{master, POLLIN, 0};
    if (poll(&fd, 1, 50) > 0) {
      char buffer[4096];
      ssize_t n = read(master, buffer, sizeof buffer);
      if (n > 0) run.terminal.append(buffer, static_cast<std::size_t>(n));
    }
    if (waitpid(pid, &status, WNOHANG) == pid) {
      run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      // What the program wrote just before it ended is still in the terminal.
      pollfd rest{master, POLLIN, 0};
      char buffer[4096];
      ssize_t n = 0;
      while (poll(&rest, 1, 0) > 0 && (n = read(master, buffer, sizeof buffer)) > 0) {
        run.terminal.append(buffer, static_cast<std::size_t>(n));
      }
      break;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
  }
  close(master);
  return run;
}

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
  testing_support::IdeOptions options;
  options.selection = "in the IDE";
  testing_support::IdePeer* ide = desktop_.StartIde(options);
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

TEST_F(FilterModeProcess, DialogsAreAskedOnTheTerminalNeverOnStandardInput) {
  struct TerminalCase {
    const char* name;
    std::string input;
    std::string typed;
    int exit_code;
    std::string out;
  };
  const TerminalCase cases[] = {
      {"answered", "a\nb\nc\n", "// \n\n", 0, "// \n// \n// \n"},
      {"escapes", "a\n", "x\\ty\ny\n", 0, "x\ty\n"},
      // Standard input looks like answers, but the terminal is what is read.
      {"cancelled", "y\n", "\x04", 1, "y\n"},
  };
  for (const TerminalCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string in = desktop_.Write("in.txt", c.input);
    TerminalRun run =
        RunOnTerminal(testing_support::BuiltProgram("quorvan"), {"/7", "--filter"}, desktop_.Env(),
                      in, desktop_.File("out.txt"), desktop_.File("err.txt"), c.typed);
    EXPECT_EQ(run.exit_code, c.exit_code) << run.terminal;
    EXPECT_EQ(testing_support::ReadFile(desktop_.File("out.txt")), c.out);
    EXPECT_EQ(testing_support::ReadFile(desktop_.File("err.txt")), "");
    EXPECT_NE(run.terminal.find("Insert text:"), std::string::npos) << run.terminal;
  }
}

}  // namespace
