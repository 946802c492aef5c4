// The contract between tallowik and its Qt module, a shared library beside the
// program that is loaded only when a window is to be shown, so that generation
// without a window never loads Qt.
#pragma once

#include <string>

#include "config/settings.h"
#include "engine/variables.h"
#include "platform/ide_link.h"
#include "tallowik/command_line.h"

namespace tallowik {

inline constexpr char kQtModuleFileName[] = "libtallowik_qt.so";
inline constexpr char kRunSheetEntryPoint[] = "TallowikRunSheet";
inline constexpr char kShowMessageEntryPoint[] = "TallowikShowMessage";
// Raised whenever SheetRun or the types it refers to change.
inline constexpr int kQtModuleVersion = 1;

// What the sheet works with; the current directory is the project directory.
struct SheetRun {
  config::Settings& settings;
  platform::DdeClient& dde;
  const engine::Clock& clock;
  ProjectArguments project;
  std::string program_directory;  // where the help file sits
};

using RunSheetFunction = int (*)(int version, SheetRun& run);
using ShowMessageFunction = bool (*)(int version, const char* caption, const char* text);

}  // namespace tallowik

// Runs the sheet modally and returns tallowik's exit status: 0, 1 after a generation
// failed with a message, 2 (with a message on standard error) when Qt cannot start.
extern "C" int TallowikRunSheet(int version, tallowik::SheetRun& run);
// A message box; false when Qt cannot start (nothing shown).
extern "C" bool TallowikShowMessage(int version, const char* caption, const char* text);
