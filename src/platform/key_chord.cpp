#include "platform/key_chord.h"

#include <array>
#include <cctype>
#include <utility>

namespace platform {
namespace {

struct NamedKey {
  std::string_view name;
  std::uint32_t keysym;
};

constexpr std::array<NamedKey, 16> kNamedKeys{{
    {"insert", 0xff63},
    {"delete", 0xffff},
    {"return", 0xff0d},
    {"enter", 0xff0d},
    {"tab", 0xff09},
    {"escape", 0xff1b},
    {"esc", 0xff1b},
    {"space", 0x20},
    {"backspace", 0xff08},
    {"home", 0xff50},
    {"end", 0xff57},
    {"left", 0xff51},
    {"up", 0xff52},
    {"right", 0xff53},
    {"down", 0xff54},
    {"plus", 0x2b},
}};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::uint32_t> KeysymOf(const std::string& name) {
  if (name.size() == 1 && name[0] > 0x20 && name[0] < 0x7f) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(name[0]));
  }
  for (const NamedKey& key : kNamedKeys) {
    if (key.name == name) return key.keysym;
  }
  // f1 ... f12
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f') {
    int n = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
      n = n * 10 + (name[i] - '0');
    }
    if (n >= 1 && n <= 12) return 0xffbe + static_cast<std::uint32_t>(n - 1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::string_view text) {
  KeyChord chord;
  bool have_key = false;
  std::size_t start = 0;
  // The plus key itself is written "plus".
  while (start <= text.size()) {
    std::size_t plus = text.find('+', start);
    std::string part = Lower(
        text.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start));
    while (!part.empty() && part.front() == ' ') part.erase(part.begin());
    while (!part.empty() && part.back() == ' ') part.pop_back();
    if (part == "ctrl" || part == "control") {
      chord.ctrl = true;
    } else if (part == "shift") {
      chord.shift = true;
    } else if (part == "alt") {
      chord.alt = true;
    } else if (part == "super" || part == "meta" || part == "win") {
      chord.super = true;
    } else {
      std::optional<std::uint32_t> keysym = KeysymOf(part);
      if (!keysym || have_key) return std::nullopt;
      chord.keysym = *keysym;
      have_key = true;
    }
    if (plus == std::string_view::npos) break;
    start = plus + 1;
  }
  if (!have_key) return std::nullopt;
  return chord;
}

std::string FormatKeyChord(const KeyChord& chord) {
  std::string out;
  if (chord.ctrl) out += "ctrl+";
  if (chord.shift) out += "shift+";
  if (chord.alt) out += "alt+";
  if (chord.super) out += "super+";
  for (const NamedKey& key : kNamedKeys) {
    if (key.keysym == chord.keysym && key.keysym > 0xff) return out + std::string(key.name);
  }
  if (chord.keysym >= 0xffbe && chord.keysym <= 0xffc9) {
    return out + "f" + std::to_string(chord.keysym - 0xffbe + 1);
  }
  if (chord.keysym == 0x20) return out + "space";
  if (chord.keysym == 0x2b) return out + "plus";
  if (chord.keysym > 0x20 && chord.keysym < 0x7f) return out + static_cast<char>(chord.keysym);
  return out + "0x" + std::to_string(chord.keysym);
}

}  // namespace platform
