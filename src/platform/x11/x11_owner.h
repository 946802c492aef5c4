// The clipboard's owner after its writer has ended: a detached process that serves
// the data until another client takes the clipboard, or hands it to a clipboard
// manager.
#pragma once

#include <string>
#include <vector>

#include "platform/selection_clipboard.h"

namespace platform::x11 {

// Starts the owner of CLIPBOARD on `display` (null: $DISPLAY) in a new session and
// returns once it owns the clipboard; false with a message when it could not.
bool StartDetachedOwner(const std::vector<SelectionOffer>& offers, const char* display,
                        std::string& error);

// The owner's work, in the process that serves: owns CLIPBOARD, reports on
// `ready_fd` ("1" owning, "0" not) and serves until the clipboard is taken. Returns
// the exit status for the process.
int ServeClipboard(const std::vector<SelectionOffer>& offers, const char* display, int ready_fd);

}  // namespace platform::x11
