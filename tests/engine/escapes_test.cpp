#include "engine/escapes.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

using namespace std::string_literals;

TEST(TranslateEscapes, Table) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\\tb", "a\tb"},
      {"\\101", "A"},
      {"\\x41", "A"},
      {"ab\\bc", "ac"},
      {"\\bx", "x"},
      {"\\q", "q"},
      {"\\v\\?", "v?"},
      {"a\\0b", "a"},
      {"a\\xzz", "a"},
      {"\\\"\\'\\\\", "\"'\\"},
      {"\\r\\n\\f", "\r\n\f"},
      {"end\\", "end"},
      {"\\1011", "A1"},
      {"\\777", "\xFF"},
      {"\\9", "\t"},
      {"\\18", "\x10"},
      {"\\x414", "A4"},
      {"\\x4g", "\x04g"},
      {"", ""},
      {"a\0b"s, "a\0b"s},  // only a zero made by an escape ends the text
      // A numeric escape cut short by the end of the text still gives its character.
      {"\\x4", "\x04"},
      {"\\12", "\n"},
  };
  for (const auto& [in, out] : cases) {
    std::string text = in;
    TranslateEscapes(text);
    EXPECT_EQ(text, out) << in;
  }
}

TEST(TranslateEscapes, BellBeepsAndProducesNothing) {
  RecordingNotifier notifier;
  std::string text = "a\\ab\\a";
  TranslateEscapes(text, &notifier);
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(notifier.beeps, 2);
  text = "\\a";
  TranslateEscapes(text);
  EXPECT_EQ(text, "");
}

TEST(TranslateEscapes, HugeInputFinishes) {
  std::string text;
  for (int i = 0; i < 1 << 20; ++i) text += "x\\b\\t";
  TranslateEscapes(text);
  EXPECT_EQ(text, std::string(1 << 20, '\t'));
}

}  // namespace
}  // namespace engine
