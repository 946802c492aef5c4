// Starting a command line as a process and waiting for it to end.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Window show states of a started command.
inline constexpr int kShowHidden = 0;
inline constexpr int kShowNormal = 1;

// Splits a command line into words as a POSIX shell does, without any expansion or
// redirection: blanks (space, tab, line feed) separate words; a backslash keeps the
// next character (a backslash before a line feed joins the lines); single quotes
// keep everything up to the next single quote; within double quotes a backslash
// keeps only "$", "`", '"', "\" and a line feed, and stays before anything else.
// "" and '' make an empty word. nullopt for an unterminated quote. A backslash at
// the very end stays.
std::optional<std::vector<std::string>> SplitCommandLine(std::string_view command_line);

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Starts `command_line` (its first word is the program, looked up on PATH) and
  // waits, without a time limit, for it to end. `show_state` kShowHidden connects
  // the child's standard streams to /dev/null; any other value lets it inherit them.
  // False when the line has no word, does not split, or the program cannot start.
  // The exit status is not read. Under an InterruptGuard, a SIGINT, SIGTERM or
  // SIGHUP received before or during the run ends the child (SIGTERM to its process
  // group, SIGKILL after a grace period) and the result is false.
  virtual bool RunAndWait(std::string_view command_line, int show_state) = 0;
};

class PosixProcessRunner : public ProcessRunner {
 public:
  bool RunAndWait(std::string_view command_line, int show_state) override;
};

// Records each request and answers with `result`; for tests.
class RecordingProcessRunner : public ProcessRunner {
 public:
  struct Call {
    std::string command_line;
    int show_state;
  };
  bool RunAndWait(std::string_view command_line, int show_state) override {
    calls.push_back({std::string(command_line), show_state});
    return result;
  }
  std::vector<Call> calls;
  bool result = true;
};

}  // namespace platform
