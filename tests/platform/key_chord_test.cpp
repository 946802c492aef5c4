// Key chords in the spelling of the "Desktop" settings.
#include "platform/key_chord.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct ChordCase {
  const char* text;
  std::optional<KeyChord> chord;
  const char* formatted;  // FormatKeyChord of the result
};

TEST(KeyChord, ParsesTheSettingsSpelling) {
  const ChordCase cases[] = {
      {"ctrl+c", KeyChord{.ctrl = true, .keysym = 'c'}, "ctrl+c"},
      {"Ctrl+Shift+V", KeyChord{.ctrl = true, .shift = true, .keysym = 'v'}, "ctrl+shift+v"},
      {"shift+insert", KeyChord{.shift = true, .keysym = 0xff63}, "shift+insert"},
      {" control + C ", KeyChord{.ctrl = true, .keysym = 'c'}, "ctrl+c"},
      {"alt+f12", KeyChord{.alt = true, .keysym = 0xffc9}, "alt+f12"},
      {"super+plus", KeyChord{.super = true, .keysym = '+'}, "super+plus"},
      {"ctrl", std::nullopt, ""},
      {"ctrl+c+v", std::nullopt, ""},
      {"hyper+c", std::nullopt, ""},
      {"", std::nullopt, ""},
      {"f13", std::nullopt, ""},
  };
  for (const ChordCase& c : cases) {
    std::optional<KeyChord> chord = ParseKeyChord(c.text);
    EXPECT_EQ(chord, c.chord) << c.text;
    if (chord) EXPECT_EQ(FormatKeyChord(*chord), c.formatted);
  }
}

}  // namespace
}  // namespace platform
