#include "platform/x11/x11_keyboard_map.h"

#include <cstdlib>

namespace platform::x11 {

KeyboardMap::KeyboardMap(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  min_keycode_ = setup->min_keycode;
  std::uint8_t count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
  if (!reply) return;
  per_keycode_ = reply->keysyms_per_keycode;
  const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
  keysyms_.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply));
  std::free(reply);
}

xcb_keycode_t KeyboardMap::KeycodeOf(std::uint32_t keysym) const {
  if (per_keycode_ == 0) return 0;
  for (int column = 0; column < std::min(per_keycode_, 2); ++column) {
    for (std::size_t i = 0; i * per_keycode_ < keysyms_.size(); ++i) {
      if (keysyms_[i * per_keycode_ + column] == keysym) {
        return static_cast<xcb_keycode_t>(min_keycode_ + i);
      }
    }
  }
  return 0;
}

std::uint32_t KeyboardMap::KeysymOf(xcb_keycode_t keycode) const {
  if (per_keycode_ == 0 || keycode < min_keycode_) return 0;
  std::size_t index = static_cast<std::size_t>(keycode - min_keycode_) * per_keycode_;
  if (index >= keysyms_.size()) return 0;
  std::uint32_t keysym = keysyms_[index];
  if (keysym >= 'A' && keysym <= 'Z') keysym += 'a' - 'A';
  return keysym;
}

KeyChord KeyboardMap::ChordOf(xcb_keycode_t keycode, std::uint16_t state) const {
  KeyChord chord;
  chord.shift = state & XCB_MOD_MASK_SHIFT;
  chord.ctrl = state & XCB_MOD_MASK_CONTROL;
  chord.alt = state & XCB_MOD_MASK_1;
  chord.super = state & XCB_MOD_MASK_4;
  chord.keysym = KeysymOf(keycode);
  return chord;
}

}  // namespace platform::x11
