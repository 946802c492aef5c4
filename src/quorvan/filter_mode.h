// Filter mode ("--filter"): an editor hands quorvan its selection on standard input
// and takes the result from standard output. The action runs against a clipboard in
// memory that holds the input, with no IDE to ask; a failure gives the input back
// unchanged, so that an editor replacing its selection with the output keeps it.
#pragma once

#include <string>
#include <string_view>

#include "config/settings.h"
#include "platform/process.h"
#include "quorvan/command_line.h"
#include "quorvan/user_interface.h"

namespace quorvan {

// Actions 0, 1, 2, 4, 5, 7 and 9 turn a selection (or nothing, for 1 and 5) into
// text; the others have no text to give.
bool IsFilterAction(int action);

struct FilterOutcome {
  int exit_status = 0;  // kExitSuccess, kExitActionFailed or kExitUsage
  // What goes to standard output: the result with LF line ends (CR LF throughout
  // when the input used CR LF), or the input unchanged when the action failed.
  std::string output;
};

// Runs the filter action of `command_line` over `input`. Input holding a zero byte is
// not text and fails (with the error beep) without running the action. A non-filter
// action, or none, is kExitUsage without running anything; the input is given back
// then too.
FilterOutcome RunFilterAction(config::Settings& settings, platform::ProcessRunner& processes,
                              UserInterface& ui, const CommandLineValues& command_line,
                              const std::string& program_directory, std::string_view input);

// The whole filter mode on the standard streams: reads standard input to its end,
// runs the action with dialogs as windows on a display or else on /dev/tty (never on
// standard input), writes the outcome to standard output and returns the exit
// status. A non-filter action is explained on standard error. A closed or failing
// standard output ends with kExitActionFailed.
int RunFilterMode(const CommandLineValues& command_line, const std::string& program_directory);

}  // namespace quorvan
