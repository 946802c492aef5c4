// The contract between setup and its Qt module, a shared library beside the program
// that is loaded only when the dialog is shown in a window.
#pragma once

#include "setup/installer.h"

namespace setup {

inline constexpr char kQtModuleFileName[] = "libsetup_qt.so";
inline constexpr char kQtModuleEntryPoint[] = "SetupRunQtDialog";
// Raised whenever SetupSession, Installer or InstallerUi change.
inline constexpr int kModuleVersion = 1;
// What the entry point returns when Qt cannot start; the terminal takes over.
inline constexpr int kNoWindow = -1;

struct SetupSession {
  Installer& installer;
  InstallRequest presets;
};

using RunSetupDialogFunction = int (*)(int module_version, SetupSession& session);

}  // namespace setup

// Shows the dialog modally until it closes and returns setup's exit status: 0 after
// the installation, or a Cancel before any failure message; 1 for a Cancel after
// one. kNoWindow when `module_version` is not the module's or Qt cannot start.
extern "C" int SetupRunQtDialog(int module_version, setup::SetupSession& session);
