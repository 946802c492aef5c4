#include "platform/keyboard_ide_link.h"

#include <strings.h>

#include "config/settings.h"

namespace platform {
namespace {

constexpr int kModifierWaitMs = 1000;
constexpr int kOwnerChangeWaitMs = 500;

bool SameName(std::string_view a, std::string_view b) {
  return !a.empty() && a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

bool IsTerminal(const FocusedWindow& window, std::string_view terminal_classes) {
  std::size_t start = 0;
  while (start <= terminal_classes.size()) {
    std::size_t end = terminal_classes.find(';', start);
    if (end == std::string_view::npos) end = terminal_classes.size();
    std::string_view entry = terminal_classes.substr(start, end - start);
    while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
    while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
    if (SameName(entry, window.class_name) || SameName(entry, window.instance)) return true;
    start = end + 1;
  }
  return false;
}

void KeyboardIdeLink::Report(std::string_view message) {
  if (reported_ || !diagnostic_) return;
  reported_ = true;
  diagnostic_(message);
}

std::optional<KeyChord> KeyboardIdeLink::ChordFor(std::string_view name,
                                                  std::string_view default_keys,
                                                  std::string_view terminal_name,
                                                  std::string_view terminal_default) {
  if (!keys_) return std::nullopt;
  if (settings_ && settings_->ReadSettingNumber("Defaults", "Auto Paste", 1) == 0) {
    return std::nullopt;
  }
  std::optional<FocusedWindow> focus = keys_->Focus();
  if (!focus) return std::nullopt;
  auto read = [&](std::string_view setting, std::string_view fallback) {
    return settings_ ? settings_->ReadSetting("Desktop", setting, fallback) : std::string(fallback);
  };
  bool terminal = IsTerminal(*focus, read("Terminal Classes", kDefaultTerminalClasses));
  std::string text = terminal ? read(terminal_name, terminal_default) : read(name, default_keys);
  std::optional<KeyChord> chord = ParseKeyChord(text);
  if (!chord) Report("the keys \"" + text + "\" are not understood");
  return chord;
}

void KeyboardIdeLink::CopySelection() {
  std::optional<KeyChord> chord =
      ChordFor("Copy Keys", "ctrl+c", "Terminal Copy Keys", "ctrl+shift+c");
  if (!chord) return;
  // The hotkey that started us may still be held; its modifiers would change the keys.
  keys_->WaitModifiersReleased(kModifierWaitMs);
  keys_->WatchClipboardOwner();
  if (!keys_->SendChord(*chord)) {
    Report("the display cannot send the editor's copy and paste keys (no XTEST)");
    return;
  }
  keys_->WaitClipboardOwnerChange(kOwnerChangeWaitMs);
}

void KeyboardIdeLink::PasteResult() {
  std::optional<KeyChord> chord =
      ChordFor("Paste Keys", "ctrl+v", "Terminal Paste Keys", "ctrl+shift+v");
  if (!chord) return;
  keys_->WaitModifiersReleased(kModifierWaitMs);
  if (!keys_->SendChord(*chord)) {
    Report("the display cannot send the editor's copy and paste keys (no XTEST)");
  }
}

bool KeyboardIdeLink::OpenFileInIde(std::string_view path) {
  return platform::OpenFileInIde(open_, path);
}

}  // namespace platform
