// One connection to an X display with the helpers the clipboard and keyboard code
// share: atoms by name, a window of our own, and waiting for an event with a time
// limit.
#pragma once

#include <xcb/xcb.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform::x11 {

struct EventDeleter {
  void operator()(xcb_generic_event_t* event) const { std::free(event); }
};
using Event = std::unique_ptr<xcb_generic_event_t, EventDeleter>;

// Milliseconds of a monotonic clock.
long long NowMs();

class Connection {
 public:
  // null with a message in `error` when `display` (null: $DISPLAY) does not connect.
  static std::unique_ptr<Connection> Open(const char* display, std::string& error);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  xcb_connection_t* get() const { return connection_; }
  xcb_window_t root() const { return screen_->root; }
  // An unmapped window of ours that sees property changes; made on first use.
  xcb_window_t OwnWindow();

  xcb_atom_t Atom(std::string_view name);
  // The name of `atom`; empty when the server does not know it.
  std::string AtomName(xcb_atom_t atom);

  // The next event that `wanted` accepts, within `timeout_ms`; other events are
  // handed to `others` (when set) or dropped. nullopt on time-out or a broken
  // connection.
  Event WaitFor(const std::function<bool(const xcb_generic_event_t&)>& wanted, int timeout_ms,
                const std::function<void(const xcb_generic_event_t&)>& others = nullptr);
  // The next event within `timeout_ms`, or null.
  Event Next(int timeout_ms);
  bool Broken() const { return xcb_connection_has_error(connection_) != 0; }

  // A server timestamp, got by changing a property of OwnWindow.
  xcb_timestamp_t ServerTime();

 private:
  Connection(xcb_connection_t* connection, xcb_screen_t* screen)
      : connection_(connection), screen_(screen) {}

  xcb_connection_t* connection_;
  xcb_screen_t* screen_;
  xcb_window_t own_window_ = XCB_NONE;
  std::map<std::string, xcb_atom_t, std::less<>> atoms_;
};

// The response type of an event without the "sent by SendEvent" bit.
inline std::uint8_t EventType(const xcb_generic_event_t& event) {
  return event.response_type & 0x7f;
}

}  // namespace platform::x11
