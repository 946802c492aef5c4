// Where the running program's own file lies, so that it finds the files installed
// beside it whatever the working directory.
#pragma once

#include <string>

namespace platform {

// The program's own file (/proc/self/exe); empty when it cannot be read.
std::string ProgramPath();
// The directory of ProgramPath(), without a final "/" (except for "/"); "." when
// unknown.
std::string ProgramDirectory();

}  // namespace platform
