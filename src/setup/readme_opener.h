// Offering the read-me on the desktop once the installation is done.
#pragma once

#include <string>

namespace setup {

// Starts `xdg-open path` without waiting for it; a failure to start is silent.
void OpenWithDesktop(const std::string& path);

}  // namespace setup
