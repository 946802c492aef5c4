// The display's keyboard mapping: which key code types a keysym, and which keysym a
// key code types without shift.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

#include "platform/key_chord.h"

namespace platform::x11 {

inline constexpr std::uint32_t kControlL = 0xffe3;
inline constexpr std::uint32_t kShiftL = 0xffe1;
inline constexpr std::uint32_t kAltL = 0xffe9;
inline constexpr std::uint32_t kSuperL = 0xffeb;

class KeyboardMap {
 public:
  explicit KeyboardMap(xcb_connection_t* connection);

  // The first key code whose unshifted or shifted keysym is `keysym`; 0 for none.
  xcb_keycode_t KeycodeOf(std::uint32_t keysym) const;
  // The unshifted keysym of `keycode`, letters in lower case.
  std::uint32_t KeysymOf(xcb_keycode_t keycode) const;
  // The chord a key press event with `keycode` and modifier `state` stands for.
  KeyChord ChordOf(xcb_keycode_t keycode, std::uint16_t state) const;

 private:
  xcb_keycode_t min_keycode_ = 0;
  int per_keycode_ = 0;
  std::vector<std::uint32_t> keysyms_;
};

}  // namespace platform::x11
