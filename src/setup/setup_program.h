// setup from start to end: the store, the installer over the medium beside the
// program, and the dialog in a window or on the terminal.
#pragma once

namespace setup {

// Returns the exit status.
int RunSetup();

}  // namespace setup
