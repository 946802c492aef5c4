// The contract between ferrul and its Qt module, a shared library beside the
// program that is loaded only when windows are wanted.
#pragma once

#include "ferrul/ferrul_run.h"

namespace ferrul {

inline constexpr char kQtModuleFileName[] = "libferrul_qt.so";
inline constexpr char kQtModuleEntryPoint[] = "FerrulCreateQtUi";
// Raised whenever FerrulUi or the structures it passes change.
inline constexpr int kModuleVersion = 1;

using CreateQtUiFunction = FerrulUi* (*)(int module_version);

}  // namespace ferrul

// A new user interface that the caller owns, or null when `module_version` is not
// the module's or Qt cannot start (no display). The module stays loaded until the
// program ends.
extern "C" ferrul::FerrulUi* FerrulCreateQtUi(int module_version);
