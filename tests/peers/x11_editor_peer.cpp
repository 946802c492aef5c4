// x11_editor_peer: an X11 client that plays the user's editor for process-level tests.
// It shows a window with the focus, copies its selection to CLIPBOARD on the copy
// keys, appends the clipboard text to its document on the paste keys, and logs every
// key it gets ("ctrl+c"), one per line. It prints "ready" once it has the focus.
//
//   x11_editor_peer --log FILE --document FILE [--class NAME] [--selection TEXT]
//                   [--selection-file FILE] [--copy-keys K] [--paste-keys K]
//                   [--rtf TEXT] [--column] [--hold-shift-ms N] [--mute-owner]
//                   [--owner-only] [--clipboard-manager]
//
// --hold-shift-ms holds the shift key (through XTEST) for N ms after start, as a
// user still holding a hotkey would. --mute-owner takes the clipboard at start and
// never answers a request for it. --owner-only takes the clipboard with the selection
// at start and serves it, without a window. --rtf offers rich text beside the text,
// --column marks the selection as a column selection. --clipboard-manager plays a
// clipboard manager instead: asked to save the clipboard (SAVE_TARGETS), it copies the
// text, takes the clipboard and logs "saved <bytes> from <pid of the asking owner>".
#include <signal.h>
#include <xcb/xtest.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "platform/key_chord.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_keyboard_map.h"
#include "platform/x11/x11_selection.h"

namespace {

using platform::x11::Connection;
using platform::x11::Event;
using platform::x11::EventType;
using platform::x11::NowMs;

struct Options {
  std::string log, document, class_name = "BrackwaterEditor", selection;
  std::string copy_keys = "ctrl+c", paste_keys = "ctrl+v", rtf;
  int hold_shift_ms = 0;
  bool mute_owner = false;
  bool owner_only = false;
  bool column = false;
  bool manager = false;
};

volatile sig_atomic_t stopping = 0;

void Append(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::app);
  out << text;
}

bool IsModifierKey(std::uint32_t keysym) { return keysym >= 0xffe1 && keysym <= 0xffee; }

std::uint32_t PidOf(Connection& connection, xcb_window_t window) {
  xcb_connection_t* c = connection.get();
  auto* reply = xcb_get_property_reply(
      c, xcb_get_property(c, 0, window, connection.Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
      nullptr);
  std::uint32_t pid = 0;
  if (reply && xcb_get_property_value_length(reply) == 4) {
    pid = *static_cast<std::uint32_t*>(xcb_get_property_value(reply));
  }
  std::free(reply);
  return pid;
}

int RunClipboardManager(Connection& connection, const std::string& log) {
  xcb_connection_t* c = connection.get();
  xcb_atom_t manager = connection.Atom("CLIPBOARD_MANAGER");
  xcb_atom_t clipboard = connection.Atom("CLIPBOARD");
  xcb_set_selection_owner(c, connection.OwnWindow(), manager, XCB_CURRENT_TIME);
  xcb_flush(c);
  std::printf("ready\n");
  std::fflush(stdout);
  std::optional<platform::x11::SelectionServer> server;
  auto serve = [&](const xcb_generic_event_t& event) {
    if (server && !server->Handle(event)) server.reset();
  };
  while (!stopping && !connection.Broken()) {
    Event event = connection.Next(20);
    if (!event) continue;
    if (EventType(*event) != XCB_SELECTION_REQUEST) {
      serve(*event);
      continue;
    }
    auto request = *reinterpret_cast<xcb_selection_request_event_t*>(event.get());
    if (request.selection != manager) {
      serve(*event);
      continue;
    }
    bool saved = false;
    if (request.target == connection.Atom("SAVE_TARGETS")) {
      std::optional<std::string> text = platform::x11::ReadSelection(
          connection, clipboard, connection.Atom("UTF8_STRING"), 5000, serve);
      if (text) {
        Append(log, "saved " + std::to_string(text->size()) + " from " +
                        std::to_string(PidOf(connection, request.requestor)) + "\n");
        server.emplace(connection, clipboard,
                       std::vector<platform::SelectionOffer>{{platform::TextTargets(), *text}});
        saved = server->Own();
      }
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = saved ? request.property : XCB_NONE;
    xcb_send_event(c, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(c);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  bool has_selection = false;
  for (int i = 1; i + 1 < argc; ++i) {
    std::string name = argv[i];
    std::string value = argv[i + 1];
    if (name == "--log")
      options.log = value;
    else if (name == "--document")
      options.document = value;
    else if (name == "--class")
      options.class_name = value;
    else if (name == "--selection") {
      options.selection = value;
      has_selection = true;
    } else if (name == "--rtf")
      options.rtf = value;
    else if (name == "--selection-file") {
      std::ifstream in(value, std::ios::binary);
      options.selection.assign(std::istreambuf_iterator<char>(in), {});
      has_selection = true;
    } else if (name == "--copy-keys")
      options.copy_keys = value;
    else if (name == "--paste-keys")
      options.paste_keys = value;
    else if (name == "--hold-shift-ms")
      options.hold_shift_ms = std::atoi(value.c_str());
    else
      continue;
    ++i;
  }
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--mute-owner") == 0) options.mute_owner = true;
    if (std::strcmp(argv[i], "--owner-only") == 0) options.owner_only = true;
    if (std::strcmp(argv[i], "--column") == 0) options.column = true;
    if (std::strcmp(argv[i], "--clipboard-manager") == 0) options.manager = true;
  }
  signal(SIGTERM, [](int) { stopping = 1; });

  std::string error;
  std::unique_ptr<Connection> connection = Connection::Open(nullptr, error);
  if (!connection) {
    std::fprintf(stderr, "x11_editor_peer: %s\n", error.c_str());
    return 1;
  }
  xcb_connection_t* c = connection->get();
  xcb_atom_t clipboard = connection->Atom("CLIPBOARD");
  // Without a selection no text is offered at all.
  std::vector<platform::SelectionOffer> offers;
  if (has_selection) offers.push_back({platform::TextTargets(), options.selection});
  if (!options.rtf.empty()) offers.push_back({{"text/rtf"}, options.rtf});
  if (options.column) offers.push_back({{"application/x-column-selection"}, "\1"});
  std::optional<platform::x11::SelectionServer> server;
  if (options.mute_owner || options.owner_only) {
    server.emplace(*connection, clipboard, offers);
    if (!server->Own()) return 1;
    if (options.owner_only) {
      std::printf("ready\n");
      std::fflush(stdout);
      while (!stopping && !connection->Broken()) {
        Event event = connection->Next(100);
        if (event && !options.mute_owner && !server->Handle(*event)) return 0;
      }
      return 0;
    }
  }

  if (options.manager) return RunClipboardManager(*connection, options.log);

  platform::x11::KeyboardMap keyboard(c);
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  xcb_window_t window = xcb_generate_id(c);
  std::uint32_t values[] = {screen->white_pixel,
                            XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 200, 100, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  std::string wm_class = options.class_name + '\0' + options.class_name + '\0';
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(wm_class.size()), wm_class.data());
  xcb_map_window(c, window);
  xcb_flush(c);
  connection->WaitFor([](const xcb_generic_event_t& e) { return EventType(e) == XCB_MAP_NOTIFY; },
                      5000);
  xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);

  xcb_keycode_t shift = keyboard.KeycodeOf(platform::x11::kShiftL);
  long long release_shift_at = 0;
  if (options.hold_shift_ms > 0) {
    xcb_test_fake_input(c, XCB_KEY_PRESS, shift, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    release_shift_at = NowMs() + options.hold_shift_ms;
  }
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  std::printf("ready\n");
  std::fflush(stdout);

  std::optional<platform::KeyChord> copy_keys = platform::ParseKeyChord(options.copy_keys);
  std::optional<platform::KeyChord> paste_keys = platform::ParseKeyChord(options.paste_keys);
  // Keys that come while a paste is being read wait their turn, as in any editor.
  std::deque<Event> queued_keys;
  auto serve = [&](const xcb_generic_event_t& event) {
    if (EventType(event) == XCB_KEY_PRESS) {
      auto* copy = static_cast<xcb_generic_event_t*>(std::malloc(sizeof(xcb_key_press_event_t)));
      std::memcpy(copy, &event, sizeof(xcb_key_press_event_t));
      queued_keys.emplace_back(copy);
      return;
    }
    if (server && !options.mute_owner && !server->Handle(event)) server.reset();
  };
  while (!stopping && !connection->Broken()) {
    if (release_shift_at && NowMs() >= release_shift_at) {
      xcb_test_fake_input(c, XCB_KEY_RELEASE, shift, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
      xcb_flush(c);
      release_shift_at = 0;
    }
    Event event;
    if (!queued_keys.empty()) {
      event = std::move(queued_keys.front());
      queued_keys.pop_front();
    } else {
      event = connection->Next(20);
    }
    if (!event) continue;
    if (EventType(*event) != XCB_KEY_PRESS) {
      serve(*event);
      continue;
    }
    auto* press = reinterpret_cast<xcb_key_press_event_t*>(event.get());
    platform::KeyChord chord = keyboard.ChordOf(press->detail, press->state);
    if (IsModifierKey(chord.keysym)) continue;
    Append(options.log, platform::FormatKeyChord(chord) + "\n");
    if (copy_keys && chord == *copy_keys) {
      server.emplace(*connection, clipboard, offers);
      options.mute_owner = false;
      if (!server->Own()) server.reset();
    } else if (paste_keys && chord == *paste_keys) {
      std::optional<std::string> text = platform::x11::ReadSelection(
          *connection, clipboard, connection->Atom("UTF8_STRING"), 5000, serve);
      if (text) Append(options.document, *text);
    }
  }
  return 0;
}
