// tallowik's start-up: the sheet with a display, generation without a window with
// the "--" options, and the messages of both.
#pragma once

#include "tallowik/command_line.h"

namespace tallowik {

// Exit statuses: 0 done (or cancelled), 1 after an error message, 2 a usage problem.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

int RunTallowik(Arguments args);

}  // namespace tallowik
