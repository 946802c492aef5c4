// ferrul from start to end: the script file beside the program, the dialog in a
// window or the editor on the terminal, and awk.
#pragma once

#include <string>
#include <vector>

namespace ferrul {

// Returns the exit status.
int RunFerrulProgram(const std::vector<std::string>& args);

}  // namespace ferrul
