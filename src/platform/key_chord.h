// Key combinations as the "Desktop" settings write them: "ctrl+c", "ctrl+shift+v",
// "shift+insert". Modifier names and key names ignore case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct KeyChord {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  bool super = false;
  // The X keysym of the key: a printable ASCII character is its own code (letters in
  // lower case), named keys (insert, return, f1...) have their X codes.
  std::uint32_t keysym = 0;
  bool operator==(const KeyChord&) const = default;
};

// nullopt when the text names no key, names two keys, or an unknown modifier or key.
std::optional<KeyChord> ParseKeyChord(std::string_view text);

// The chord in the settings' spelling, modifiers first: "ctrl+shift+c".
std::string FormatKeyChord(const KeyChord& chord);

}  // namespace platform
