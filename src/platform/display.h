// Whether a program of the suite should show windows, or work on the terminal.
#pragma once

#include <string_view>

namespace platform {

// False when BRACKWATER_UI is "tty", or `program_variable` (e.g. "QUORVAN_UI") names
// a variable that is "tty"; otherwise whether DISPLAY or WAYLAND_DISPLAY is set.
// Whether a display named there really answers is for the toolkit to find out.
bool WindowsWanted(std::string_view program_variable = {});

}  // namespace platform
