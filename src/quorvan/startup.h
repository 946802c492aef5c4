// One run of quorvan from its command line to its exit status.
#pragma once

#include <functional>

#include "quorvan/app.h"
#include "quorvan/command_line.h"
#include "quorvan/user_interface.h"

namespace quorvan {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitActionFailed = 1;  // the error beep sounded
inline constexpr int kExitUsage = 2;         // e.g. nothing to run without a display

// Runs the action that `args` (the arguments after the program name) select, against
// the user's configuration store, clipboard store and desktop.
int RunQuorvan(Arguments args);

// Sets up the objects of one run from `args` (the user's configuration store,
// clipboard store, desktop and processes) around `ui` and returns `body`'s result.
int RunWithApp(Arguments args, UserInterface& ui, const std::function<int(App&)>& body);

}  // namespace quorvan
