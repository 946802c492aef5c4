// Running the built programs from tests: to completion with a given standard input,
// or in the background (a test peer) until the test ends.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// The environment of a child: the test's own, with these variables set (a value of
// nullopt removes the variable).
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

struct ProgramResult {
  int exit_code = -1;  // -1 when the program was killed or did not start
  std::string out;
  std::string err;
};

// The path of a built program: $BRK_BIN_DIR/<name>.
std::string BuiltProgram(const std::string& name);

// The directory of the shipped data files (control files, class templates).
std::string ShippedDataDirectory();

// Runs `program` with `args` in a new session (so it has no controlling terminal and
// reads its answers from standard input), feeding it `input`. A program still running
// after `timeout_ms` is killed.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const EnvironmentChanges& env, const std::string& input = "",
                         int timeout_ms = 30000);

// A program running in the background; terminated (SIGTERM, then SIGKILL) and
// reaped on destruction.
class BackgroundProgram {
 public:
  BackgroundProgram() = default;
  ~BackgroundProgram();
  BackgroundProgram(BackgroundProgram&& other) noexcept;
  BackgroundProgram& operator=(BackgroundProgram&&) = delete;

  // Starts it and waits until its standard output shows `ready_line`; false (with
  // the program stopped) when it ends or stays silent for `timeout_ms`.
  bool Start(const std::string& program, const std::vector<std::string>& args,
             const EnvironmentChanges& env, const std::string& ready_line = "ready",
             int timeout_ms = 10000);
  void Stop();

 private:
  pid_t pid_ = -1;
};

// Polls `condition` every few milliseconds; true as soon as it holds, false after
// `timeout_ms`.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 5000);

}  // namespace testing_support
