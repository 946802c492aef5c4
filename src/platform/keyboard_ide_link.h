// The editor link on a desktop: the focused window is the IDE, and copy and paste are
// the keys the user would press in it. Which keys is a matter of the "Desktop"
// settings, with other keys for terminal emulators.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ide_link.h"
#include "platform/key_chord.h"

namespace config {
class Settings;
}

namespace platform {

// The terminal emulators whose copy and paste keys differ from an editor's; a window
// class or instance name in this list (case ignored) is a terminal.
inline constexpr std::string_view kDefaultTerminalClasses =
    "XTerm;UXTerm;URxvt;rxvt;Gnome-terminal;gnome-terminal-server;Konsole;"
    "xfce4-terminal;Alacritty;kitty;Tilix;Terminator;st-256color;foot;"
    "org.wezfurlong.wezterm;Lxterminal;Mate-terminal;qterminal;Terminology;Sakura;"
    "Guake;Tilda;kgx;org.gnome.Console;Ptyxis;Eterm;Terminal";

struct FocusedWindow {
  std::string instance;  // first part of the window class hint
  std::string class_name;
};

// The keyboard of the display.
class KeyInjector {
 public:
  virtual ~KeyInjector() = default;
  // The top-level window with the focus; nullopt when the focus is nowhere, on the
  // root window, or on a window that is gone.
  virtual std::optional<FocusedWindow> Focus() = 0;
  // Waits until no modifier key is held; false when one still is after `timeout_ms`.
  virtual bool WaitModifiersReleased(int timeout_ms) = 0;
  // Starts watching for a new owner of the clipboard.
  virtual void WatchClipboardOwner() = 0;
  // Waits for a new owner since WatchClipboardOwner; false after `timeout_ms`.
  virtual bool WaitClipboardOwnerChange(int timeout_ms) = 0;
  // Presses and releases `chord` as if typed; false when it cannot (no key injection
  // on this display, or no key for the keysym).
  virtual bool SendChord(const KeyChord& chord) = 0;
};

// Whether `window`'s class or instance is in the ";" list `terminal_classes`.
bool IsTerminal(const FocusedWindow& window, std::string_view terminal_classes);

// Keys are sent only while the setting "Auto Paste" (section "Defaults", default 1) is
// not 0 and a window has the focus; the positioning request has no keys and sends
// none. Open requests go to `open`. `keys` may be null (Wayland): no keys at all.
class KeyboardIdeLink : public IdeLink {
 public:
  KeyboardIdeLink(KeyInjector* keys, DdeClient& open, const config::Settings* settings)
      : keys_(keys), open_(open), settings_(settings) {}

  void CopySelection() override;
  void PasteResult() override;
  void PositionForPaste(int kind) override {}
  bool OpenFileInIde(std::string_view path) override;

  // Told why keys were not sent, e.g. when the display cannot inject keys.
  void SetDiagnosticHook(std::function<void(std::string_view message)> hook) {
    diagnostic_ = std::move(hook);
  }

 private:
  // The chord for the focused window, or nullopt when no keys are to be sent.
  std::optional<KeyChord> ChordFor(std::string_view name, std::string_view default_keys,
                                   std::string_view terminal_name,
                                   std::string_view terminal_default);
  void Report(std::string_view message);

  KeyInjector* keys_;
  DdeClient& open_;
  const config::Settings* settings_;
  std::function<void(std::string_view)> diagnostic_;
  bool reported_ = false;
};

}  // namespace platform
