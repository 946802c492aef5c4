// Finding the control file that a "Defaults" setting names, and the expansion that
// the header actions share.
#pragma once

#include <string>
#include <string_view>

#include "engine/variables.h"
#include "quorvan/app.h"

namespace quorvan {

// The full path of the control file named by `setting` in section "Defaults" of the
// configuration in force (`default_name` when unset), found as given or along the
// template path; empty when it is not found.
std::string LocateControlFile(const App& app, std::string_view setting,
                              std::string_view default_name);

// Expands the control file at `path` with `table`, repeating argument blocks
// `argument_count` times; false when the expansion fails (messages go to the user).
bool ExpandControlFileText(App& app, const std::string& path, const engine::VariableTable& table,
                           int argument_count, std::string& result);

}  // namespace quorvan
