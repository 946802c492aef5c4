// The ten actions by index, with their names and descriptions, and the dispatcher
// that runs one of them.
#pragma once

#include <span>
#include <string_view>

#include "quorvan/app.h"

namespace quorvan {

// An action: true on success. It sends its own paste request unless the table says
// the dispatcher does.
using ActionFunction = bool (*)(App& app);

struct ActionEntry {
  int index;
  std::string_view name;         // the settings sheet's list text
  std::string_view description;  // shown for the selected entry
  ActionFunction run;
  bool dispatcher_pastes;  // the dispatcher sends PasteResult after success
};

// Entries 0 to 9, in index order.
std::span<const ActionEntry> ActionTable();

inline constexpr std::string_view kUndefinedActionMessage = "Undefined action requested";

// Runs action `index` of `table`. A failure sounds the error beep; an index not in the
// table shows kUndefinedActionMessage (without a beep). Both return false.
bool RunAction(App& app, int index, std::span<const ActionEntry> table);
inline bool RunAction(App& app, int index) { return RunAction(app, index, ActionTable()); }

}  // namespace quorvan
