// The contract between quorvan and its Qt user-interface module, a shared library
// beside the program that is loaded only when something has to be shown.
//
// The program carries its own (static) C++ runtime and the module uses the shared
// one that Qt needs, so the two sides must never depend on sharing a runtime: no
// exception crosses the boundary in either direction (each side catches everything
// in the functions the other calls), no object's type is tested across it
// (dynamic_cast, typeid), and no stream, locale or handler of the runtime is handed
// over. What crosses is plain data (strings and vectors, whose memory both sides
// take from the same C library) and calls through the UserInterface interface.
#pragma once

#include "quorvan/app.h"
#include "quorvan/terminal_prompt.h"
#include "quorvan/user_interface.h"

namespace quorvan {

inline constexpr char kQtModuleFileName[] = "libquorvan_qt.so";
inline constexpr char kQtModuleEntryPoint[] = "QuorvanCreateQtUi";
inline constexpr char kQtSheetEntryPoint[] = "QuorvanRunSettingsSheet";
inline constexpr char kQtTerminalPromptEntryPoint[] = "QuorvanRunTerminalPrompt";
// Raised whenever UserInterface, App or the structures they pass change.
inline constexpr int kUserInterfaceVersion = 3;

using CreateQtUiFunction = UserInterface* (*)(int interface_version);
using RunSettingsSheetFunction = int (*)(int interface_version, int argc, const char* const* argv);
using RunTerminalPromptFunction = int (*)(int interface_version, PromptDialog& dialog,
                                          PromptAsker& asker);

}  // namespace quorvan

// The module's entry points. The module stays loaded until the program ends.
//
// A new user interface that the caller owns, or null when `interface_version` is
// not the module's or Qt cannot start (no display).
extern "C" quorvan::UserInterface* QuorvanCreateQtUi(int interface_version);
// Runs the settings sheet modally, with stores, desktop and processes of its own
// set up from the command line's arguments (`argv`, after the program name), and
// returns quorvan's exit status: kExitSuccess, kExitActionFailed after an action run
// from the sheet failed, or kExitUsage (with a message on standard error) when Qt
// cannot start.
extern "C" int QuorvanRunSettingsSheet(int interface_version, int argc, const char* const* argv);
// Runs the prompt dialog on its layout for a terminal, starting Qt without a window
// (the offscreen platform) when it is not running yet; a LayoutPromptStatus. No
// message is shown: the caller reports kNoLibrary and kNoLayout.
extern "C" int QuorvanRunTerminalPrompt(int interface_version, quorvan::PromptDialog& dialog,
                                        quorvan::PromptAsker& asker);
