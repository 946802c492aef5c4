// One run of quorvan from its command line to its exit status.
#pragma once

#include "quorvan/command_line.h"

namespace quorvan {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitActionFailed = 1;  // the error beep sounded
inline constexpr int kExitUsage = 2;         // e.g. nothing to run without a display

// Runs the action that `args` (the arguments after the program name) select, against
// the user's configuration store, clipboard store and desktop.
int RunQuorvan(Arguments args);

}  // namespace quorvan
