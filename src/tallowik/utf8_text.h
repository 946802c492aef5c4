// Counting characters as a user sees them in 8-bit text that holds UTF-8: a
// multi-byte sequence is one character, so a text cut to a number of characters
// never ends inside one. Plain ASCII counts one byte per character, as before.
#pragma once

#include <cstddef>
#include <string_view>

namespace tallowik {

inline bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

inline std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += StartsCharacter(c);
  return count;
}

// The first `n` characters of `text` (all of it when it is shorter).
inline std::string_view FirstCharacters(std::string_view text, std::size_t n) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text[i]) && seen++ == n) return text.substr(0, i);
  }
  return text;
}

}  // namespace tallowik
