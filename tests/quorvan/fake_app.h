// A quorvan run against fakes: an in-memory configuration store and clipboard, a
// recording IDE link and process runner, and a scripted user interface.
#pragma once

#include "config/memory_store.h"
#include "config/settings.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/app.h"
#include "quorvan/scripted_ui.h"

namespace quorvan {

struct FakeApp {
  config::MemoryStore store;
  config::Settings settings{store};
  platform::MemoryClipboard clipboard;
  platform::RecordingIdeLink ide;
  platform::RecordingProcessRunner processes;
  ScriptedUserInterface ui;
  App app{settings, clipboard, ide, processes, ui, {}, "."};
};

}  // namespace quorvan
