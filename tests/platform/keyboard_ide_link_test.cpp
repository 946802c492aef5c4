// The editor link through the keyboard, over a recording keyboard.
#include "platform/keyboard_ide_link.h"

#include <gtest/gtest.h>

#include <map>

#include "config/memory_store.h"
#include "config/settings.h"

namespace platform {
namespace {

using Strings = std::vector<std::string>;

// Plays the display's keyboard and logs each call.
class RecordingKeyboard : public KeyInjector {
 public:
  std::optional<FocusedWindow> Focus() override {
    calls.push_back("focus");
    return focus;
  }
  bool WaitModifiersReleased(int timeout_ms) override {
    calls.push_back("modifiers " + std::to_string(timeout_ms));
    return true;
  }
  void WatchClipboardOwner() override { calls.push_back("watch"); }
  bool WaitClipboardOwnerChange(int timeout_ms) override {
    calls.push_back("owner " + std::to_string(timeout_ms));
    return true;
  }
  bool SendChord(const KeyChord& chord) override {
    calls.push_back(FormatKeyChord(chord));
    return can_send;
  }
  std::optional<FocusedWindow> focus = FocusedWindow{"gvim", "Gvim"};
  bool can_send = true;
  Strings calls;
};

class NeverOpen : public DdeClient {
 public:
  bool Execute(std::string_view, std::string_view, std::string_view data) override {
    data_.emplace_back(data);
    return false;
  }
  Strings data_;
};

struct LinkCase {
  std::optional<FocusedWindow> focus;
  std::map<std::string, std::string> desktop;
  int auto_paste;
  Strings copy_calls;
  Strings paste_calls;
};

TEST(KeyboardIdeLink, SendsTheKeysOfTheFocusedWindowsKind) {
  const Strings kNone{};
  const LinkCase cases[] = {
      {FocusedWindow{"gvim", "Gvim"},
       {},
       1,
       {"focus", "modifiers 1000", "watch", "ctrl+c", "owner 500"},
       {"focus", "modifiers 1000", "ctrl+v"}},
      {FocusedWindow{"xterm", "XTerm"},
       {},
       1,
       {"focus", "modifiers 1000", "watch", "ctrl+shift+c", "owner 500"},
       {"focus", "modifiers 1000", "ctrl+shift+v"}},
      // The instance name counts too, and the list is the user's.
      {FocusedWindow{"myterm", "Other"},
       {{"Terminal Classes", "a;MyTerm"}, {"Terminal Paste Keys", "shift+insert"}},
       1,
       {"focus", "modifiers 1000", "watch", "ctrl+shift+c", "owner 500"},
       {"focus", "modifiers 1000", "shift+insert"}},
      {FocusedWindow{"xterm", "XTerm"},
       {{"Terminal Classes", "a;b"}},
       1,
       {"focus", "modifiers 1000", "watch", "ctrl+c", "owner 500"},
       {"focus", "modifiers 1000", "ctrl+v"}},
      {FocusedWindow{"gvim", "Gvim"}, {}, 0, kNone, kNone},
      {std::nullopt, {}, 1, {"focus"}, {"focus"}},
      // Keys that do not parse are not sent.
      {FocusedWindow{"gvim", "Gvim"},
       {{"Copy Keys", "ctrl+nothing"}},
       1,
       {"focus"},
       {"focus", "modifiers 1000", "ctrl+v"}},
  };
  for (const LinkCase& c : cases) {
    config::MemoryStore store;
    config::Settings settings(store);
    settings.WriteSettingNumber("Defaults", "Auto Paste", c.auto_paste);
    for (const auto& [name, value] : c.desktop) settings.WriteSetting("Desktop", name, value);
    RecordingKeyboard keys;
    keys.focus = c.focus;
    NeverOpen open;
    KeyboardIdeLink link(&keys, open, &settings);
    link.CopySelection();
    EXPECT_EQ(keys.calls, c.copy_calls);
    keys.calls.clear();
    link.PositionForPaste(0);
    link.PasteResult();
    EXPECT_EQ(keys.calls, c.paste_calls);
  }
}

TEST(KeyboardIdeLink, WithoutKeyInjectionItSaysSoOnceAndWaitsForNothing) {
  RecordingKeyboard keys;
  keys.can_send = false;
  NeverOpen open;
  KeyboardIdeLink link(&keys, open, nullptr);
  Strings messages;
  link.SetDiagnosticHook([&](std::string_view m) { messages.emplace_back(m); });
  link.CopySelection();
  link.PasteResult();
  EXPECT_EQ(keys.calls, (Strings{"focus", "modifiers 1000", "watch", "ctrl+c", "focus",
                                 "modifiers 1000", "ctrl+v"}));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("XTEST"), std::string::npos);

  // Wayland: no keyboard at all; the open request still goes out.
  KeyboardIdeLink wayland(nullptr, open, nullptr);
  wayland.CopySelection();
  wayland.PasteResult();
  EXPECT_FALSE(wayland.OpenFileInIde("/a b.h"));
  EXPECT_EQ(open.data_, Strings{"OPEN (\"/a b.h\")"});
}

}  // namespace
}  // namespace platform
