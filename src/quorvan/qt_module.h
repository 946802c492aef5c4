// The contract between quorvan and its Qt user-interface module, a shared library
// beside the program that is loaded only when something has to be shown.
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
inline constexpr int kUserInterfaceVersion = 2;

using CreateQtUiFunction = UserInterface* (*)(int interface_version);
using RunSettingsSheetFunction = int (*)(int interface_version, App& app);
using RunTerminalPromptFunction = int (*)(int interface_version, PromptDialog& dialog,
                                          PromptAsker& asker);

}  // namespace quorvan

// The module's entry points. The module stays loaded until the program ends.
//
// A new user interface that the caller owns, or null when `interface_version` is
// not the module's or Qt cannot start (no display).
extern "C" quorvan::UserInterface* QuorvanCreateQtUi(int interface_version);
// Runs the settings sheet modally over `app` and returns quorvan's exit status:
// kExitSuccess, kExitActionFailed after an action run from the sheet failed, or
// kExitUsage (with a message on standard error) when Qt cannot start.
extern "C" int QuorvanRunSettingsSheet(int interface_version, quorvan::App& app);
// Runs the prompt dialog on its layout for a terminal, starting Qt without a window
// (the offscreen platform) when it is not running yet; a LayoutPromptStatus. No
// message is shown: the caller reports kNoLibrary and kNoLayout.
extern "C" int QuorvanRunTerminalPrompt(int interface_version, quorvan::PromptDialog& dialog,
                                        quorvan::PromptAsker& asker);
