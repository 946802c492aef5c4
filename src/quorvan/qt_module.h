// The contract between quorvan and its Qt user-interface module, a shared library
// beside the program that is loaded only when something has to be shown.
#pragma once

#include "quorvan/user_interface.h"

namespace quorvan {

inline constexpr char kQtModuleFileName[] = "libquorvan_qt.so";
inline constexpr char kQtModuleEntryPoint[] = "QuorvanCreateQtUi";
// Raised whenever UserInterface or the structures it passes change.
inline constexpr int kUserInterfaceVersion = 1;

using CreateQtUiFunction = UserInterface* (*)(int interface_version);

}  // namespace quorvan

// The module's entry point: a new user interface that the caller owns, or null when
// `interface_version` is not the module's or Qt cannot start (no display). The
// module stays loaded until the program ends.
extern "C" quorvan::UserInterface* QuorvanCreateQtUi(int interface_version);
