// The X11 backend: the CLIPBOARD selection as the clipboard, and the focused window's
// keyboard through XTEST, with XFIXES telling when the clipboard changes hands.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_keyboard_map.h"
#include "platform/x11_backend.h"

namespace platform::x11 {

struct X11Timeouts {
  int answer_ms = 3000;  // the owner's answer to one request, or one INCR piece
};

class X11Desktop : public X11Backend {
 public:
  X11Desktop(std::unique_ptr<Connection> connection, std::string display,
             X11Timeouts timeouts = {});

  std::optional<std::vector<std::string>> Targets() override;
  std::optional<std::string> Read(std::string_view target) override;
  bool Publish(const std::vector<SelectionOffer>& offers) override;

  std::optional<FocusedWindow> Focus() override;
  bool WaitModifiersReleased(int timeout_ms) override;
  void WatchClipboardOwner() override;
  bool WaitClipboardOwnerChange(int timeout_ms) override;
  bool SendChord(const KeyChord& chord) override;

 private:
  xcb_window_t ClipboardOwner();

  std::unique_ptr<Connection> connection_;
  std::string display_;
  X11Timeouts timeouts_;
  std::optional<KeyboardMap> keyboard_;
  // The first XFIXES event code, or 0 when the server lacks XFIXES.
  std::uint8_t xfixes_event_ = 0;
  bool watching_ = false;
  // An owner that let a request time out is not asked again by this process.
  xcb_window_t silent_owner_ = XCB_NONE;
  xcb_window_t watched_owner_ = XCB_NONE;
};

}  // namespace platform::x11
