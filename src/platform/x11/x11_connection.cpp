#include "platform/x11/x11_connection.h"

#include <poll.h>
#include <time.h>

#include <cstdlib>

namespace platform::x11 {

long long NowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

std::unique_ptr<Connection> Connection::Open(const char* display, std::string& error) {
  int screen_number = 0;
  xcb_connection_t* connection = xcb_connect(display, &screen_number);
  if (xcb_connection_has_error(connection)) {
    const char* name = display ? display : std::getenv("DISPLAY");
    error = std::string("cannot connect to the X display ") + (name ? name : "(DISPLAY unset)");
    xcb_disconnect(connection);
    return nullptr;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screen_number && it.rem; ++i) xcb_screen_next(&it);
  if (!it.rem) {
    error = "the X display has no such screen";
    xcb_disconnect(connection);
    return nullptr;
  }
  return std::unique_ptr<Connection>(new Connection(connection, it.data));
}

Connection::~Connection() {
  if (connection_) xcb_disconnect(connection_);
}

xcb_window_t Connection::OwnWindow() {
  if (own_window_ != XCB_NONE) return own_window_;
  own_window_ = xcb_generate_id(connection_);
  uint32_t mask = XCB_CW_EVENT_MASK;
  uint32_t values[] = {XCB_EVENT_MASK_PROPERTY_CHANGE};
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, own_window_, screen_->root, -1, -1, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, mask, values);
  return own_window_;
}

xcb_atom_t Connection::Atom(std::string_view name) {
  auto found = atoms_.find(name);
  if (found != atoms_.end()) return found->second;
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(name.size()), name.data()),
      nullptr);
  xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
  std::free(reply);
  if (atom != XCB_NONE) atoms_.emplace(std::string(name), atom);
  return atom;
}

std::string Connection::AtomName(xcb_atom_t atom) {
  for (const auto& [name, known] : atoms_) {
    if (known == atom) return name;
  }
  xcb_get_atom_name_reply_t* reply =
      xcb_get_atom_name_reply(connection_, xcb_get_atom_name(connection_, atom), nullptr);
  if (!reply) return "";
  std::string name(xcb_get_atom_name_name(reply),
                   static_cast<std::size_t>(xcb_get_atom_name_name_length(reply)));
  std::free(reply);
  atoms_.emplace(name, atom);
  return name;
}

Event Connection::Next(int timeout_ms) {
  long long deadline = NowMs() + timeout_ms;
  for (;;) {
    if (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) return Event(event);
    if (Broken()) return nullptr;
    long long left = deadline - NowMs();
    if (left <= 0) return nullptr;
    pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left));
  }
}

Event Connection::WaitFor(const std::function<bool(const xcb_generic_event_t&)>& wanted,
                          int timeout_ms,
                          const std::function<void(const xcb_generic_event_t&)>& others) {
  long long deadline = NowMs() + timeout_ms;
  for (;;) {
    long long left = deadline - NowMs();
    if (left < 0) return nullptr;
    Event event = Next(static_cast<int>(left));
    if (!event) return nullptr;
    if (wanted(*event)) return event;
    if (others) others(*event);
  }
}

xcb_timestamp_t Connection::ServerTime() {
  xcb_window_t window = OwnWindow();
  xcb_atom_t property = Atom("BRACKWATER_TIMESTAMP");
  xcb_change_property(connection_, XCB_PROP_MODE_APPEND, window, property, XCB_ATOM_STRING, 8, 0,
                      nullptr);
  xcb_flush(connection_);
  Event event = WaitFor(
      [&](const xcb_generic_event_t& e) {
        if (EventType(e) != XCB_PROPERTY_NOTIFY) return false;
        auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(e);
        return notify.window == window && notify.atom == property;
      },
      2000);
  if (!event) return XCB_CURRENT_TIME;
  return reinterpret_cast<xcb_property_notify_event_t*>(event.get())->time;
}

}  // namespace platform::x11
