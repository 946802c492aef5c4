#include "platform/x11/x11_desktop.h"

#include <unistd.h>
#include <xcb/xfixes.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/x11/x11_owner.h"
#include "platform/x11/x11_selection.h"

namespace platform::x11 {
namespace {

// Modifiers that change what a key does; caps lock and num lock do not matter here.
constexpr std::uint16_t kHeldModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4 | XCB_MOD_MASK_5;

// The two zero-terminated strings of WM_CLASS: instance, then class.
std::optional<FocusedWindow> ClassOf(xcb_connection_t* c, xcb_window_t window) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      c, xcb_get_property(c, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr);
  if (!reply) return std::nullopt;
  std::string value(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  bool has_class = reply->type != XCB_NONE;
  std::free(reply);
  if (!has_class) return std::nullopt;
  FocusedWindow focused;
  std::size_t zero = value.find('\0');
  focused.instance = value.substr(0, zero);
  if (zero != std::string::npos) {
    std::string rest = value.substr(zero + 1);
    focused.class_name = rest.substr(0, rest.find('\0'));
  }
  return focused;
}

}  // namespace

X11Desktop::X11Desktop(std::unique_ptr<Connection> connection, std::string display,
                       X11Timeouts timeouts)
    : connection_(std::move(connection)), display_(std::move(display)), timeouts_(timeouts) {}

std::optional<std::vector<std::string>> X11Desktop::Targets() {
  xcb_window_t owner = ClipboardOwner();
  if (owner == XCB_NONE || owner == silent_owner_) return std::nullopt;
  long long start = NowMs();
  auto targets = ReadTargets(*connection_, connection_->Atom("CLIPBOARD"), timeouts_.answer_ms);
  if (!targets && NowMs() - start >= timeouts_.answer_ms) silent_owner_ = owner;
  return targets;
}

std::optional<std::string> X11Desktop::Read(std::string_view target) {
  xcb_window_t owner = ClipboardOwner();
  if (owner == XCB_NONE || owner == silent_owner_) return std::nullopt;
  long long start = NowMs();
  auto data = ReadSelection(*connection_, connection_->Atom("CLIPBOARD"), connection_->Atom(target),
                            timeouts_.answer_ms);
  if (!data && NowMs() - start >= timeouts_.answer_ms) silent_owner_ = owner;
  return data;
}

bool X11Desktop::Publish(const std::vector<SelectionOffer>& offers) {
  std::string error;
  return StartDetachedOwner(offers, display_.empty() ? nullptr : display_.c_str(), error);
}

xcb_window_t X11Desktop::ClipboardOwner() {
  xcb_connection_t* c = connection_->get();
  xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
      c, xcb_get_selection_owner(c, connection_->Atom("CLIPBOARD")), nullptr);
  xcb_window_t owner = reply ? reply->owner : XCB_NONE;
  std::free(reply);
  return owner;
}

std::optional<FocusedWindow> X11Desktop::Focus() {
  xcb_connection_t* c = connection_->get();
  xcb_get_input_focus_reply_t* focus =
      xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
  xcb_window_t window = focus ? focus->focus : XCB_NONE;
  std::free(focus);
  // Walk up from the focused (sub)window to the top-level window that has a class.
  for (int depth = 0; depth < 64; ++depth) {
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT ||
        window == connection_->root()) {
      return std::nullopt;
    }
    if (std::optional<FocusedWindow> found = ClassOf(c, window)) return found;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    if (!tree) return std::nullopt;  // the window is gone
    window = tree->parent;
    std::free(tree);
  }
  return std::nullopt;
}

bool X11Desktop::WaitModifiersReleased(int timeout_ms) {
  xcb_connection_t* c = connection_->get();
  long long deadline = NowMs() + timeout_ms;
  for (;;) {
    xcb_query_pointer_reply_t* pointer =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, connection_->root()), nullptr);
    std::uint16_t mask = pointer ? pointer->mask : 0;
    std::free(pointer);
    if ((mask & kHeldModifiers) == 0) return true;
    if (NowMs() >= deadline) return false;
    usleep(10000);
  }
}

void X11Desktop::WatchClipboardOwner() {
  xcb_connection_t* c = connection_->get();
  watching_ = true;
  watched_owner_ = ClipboardOwner();
  const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
  if (!xfixes || !xfixes->present) return;
  xcb_xfixes_query_version_reply_t* version =
      xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 5, 0), nullptr);
  std::free(version);
  xfixes_event_ = xfixes->first_event;
  xcb_xfixes_select_selection_input(c, connection_->OwnWindow(), connection_->Atom("CLIPBOARD"),
                                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER);
  xcb_flush(c);
}

bool X11Desktop::WaitClipboardOwnerChange(int timeout_ms) {
  if (!watching_) return false;
  watching_ = false;
  if (xfixes_event_ == 0) {
    // Without XFIXES, look at the owner now and then.
    long long deadline = NowMs() + timeout_ms;
    while (NowMs() < deadline) {
      if (ClipboardOwner() != watched_owner_) return true;
      usleep(10000);
    }
    return false;
  }
  std::uint8_t wanted = xfixes_event_ + XCB_XFIXES_SELECTION_NOTIFY;
  Event event = connection_->WaitFor(
      [&](const xcb_generic_event_t& e) { return EventType(e) == wanted; }, timeout_ms);
  xcb_xfixes_select_selection_input(connection_->get(), connection_->OwnWindow(),
                                    connection_->Atom("CLIPBOARD"), 0);
  xcb_flush(connection_->get());
  return event != nullptr;
}

bool X11Desktop::SendChord(const KeyChord& chord) {
  xcb_connection_t* c = connection_->get();
  const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(c, &xcb_test_id);
  if (!xtest || !xtest->present) return false;
  if (!keyboard_) keyboard_.emplace(c);
  std::vector<xcb_keycode_t> keys;
  for (auto [held, keysym] : {std::pair{chord.ctrl, kControlL}, std::pair{chord.shift, kShiftL},
                              std::pair{chord.alt, kAltL}, std::pair{chord.super, kSuperL}}) {
    if (!held) continue;
    xcb_keycode_t code = keyboard_->KeycodeOf(keysym);
    if (code == 0) return false;
    keys.push_back(code);
  }
  xcb_keycode_t key = keyboard_->KeycodeOf(chord.keysym);
  if (key == 0) return false;
  keys.push_back(key);
  for (xcb_keycode_t code : keys) {
    xcb_test_fake_input(c, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  }
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
    xcb_test_fake_input(c, XCB_KEY_RELEASE, *it, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  }
  // A round trip, so the server has taken the keys before we go on.
  xcb_get_input_focus_reply_t* sync = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
  bool delivered = sync != nullptr;
  std::free(sync);
  return delivered;
}

}  // namespace platform::x11
