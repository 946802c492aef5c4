// Generation without a window: the main page driven as a user would drive it, with
// the messages on a sink of the caller's choosing (standard error).
#pragma once

#include "config/settings.h"
#include "engine/variables.h"
#include "platform/ide_link.h"
#include "tallowik/messages.h"
#include "tallowik/windowless_options.h"

namespace tallowik {

// Runs the start-up checks of `parsed.positional`, sets up the main page, picks the
// category (--category, else the restored one), types the class name, changes the
// fields given and confirms. Returns 0 after generating, 1 after a message.
int RunWindowless(const ParsedCommandLine& parsed, const config::Settings& settings,
                  platform::DdeClient& dde, const engine::Clock& clock, MessageSink& messages);

// Prints each message as "<caption>: <text>" on standard error.
class StandardErrorMessages : public MessageSink {
 public:
  using MessageSink::ShowMessage;
  void ShowMessage(std::string_view caption, std::string_view text) override;
};

}  // namespace tallowik
