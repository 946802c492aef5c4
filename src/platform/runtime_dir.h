// The per-user directory where the programs meet at run time: the clipboard store
// and the "desktop" of windows and DDE servers.
#pragma once

#include <string>

namespace platform {

// $XDG_RUNTIME_DIR/brackwater, or /tmp/brackwater-<uid> without XDG_RUNTIME_DIR.
// Only computes the path.
std::string RuntimeDirectoryPath();

// RuntimeDirectoryPath() + "/desktop".
std::string DesktopDirectoryPath();

// Creates `path` (and its missing parents) with mode 0700 for what it creates. An
// existing final directory must be a real directory (not a symbolic link) owned by
// this user, so that another user cannot plant one in /tmp; otherwise false.
bool MakePrivateDirectory(const std::string& path);

}  // namespace platform
