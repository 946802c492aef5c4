// What one run of quorvan shares with its action: the stores, the IDE, the user
// interface and the command line.
#pragma once

#include <string>

#include "config/settings.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/command_line.h"
#include "quorvan/user_interface.h"

namespace quorvan {

struct App {
  config::Settings& settings;
  platform::Clipboard& clipboard;
  platform::IdeLink& ide;
  platform::ProcessRunner& processes;
  // The owner of the action's dialogs and message boxes.
  UserInterface& ui;
  CommandLineValues command_line;
  // The program's own directory (where the resource library and the UI module sit).
  std::string program_directory;
  // 1 when the text read last came from the IDE's column selection; passed to the
  // next clipboard write, after which the action resets it to 0.
  int ColumnSelection = 0;
};

}  // namespace quorvan
