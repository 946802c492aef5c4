#include "engine/escapes.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

TEST(TranslateEscapes, Table) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"a\\tb", "a\tb"},
      {"\\101", "A"},
      {"\\x41", "A"},
      {"\\x4g", "\x04g"},
      {"ab\\bc", "ac"},
      {"\\bx", "x"},
      {"\\q", "q"},
      {"\\v\\?", "v?"},
      {"a\\0b", "a"},
      {"a\\xzz", "a"},  // \x without a hex digit is a zero, which ends the text
      {"\\\"\\'\\\\", "\"'\\"},
      {"\\r\\n\\f", "\r\n\f"},
      {"end\\", "end"},
      {"\\1011", "A1"},
      {"\\777", "\xFF"},
      {"\\9", "\x09"},
      {"\\18", std::string(1, '\x10')},  // "8" counts as an octal digit of value 8
      {"\\x414", "A4"},
      {"\\x4", "\x04"},
      {"", ""},
      {"plain", "plain"},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    TranslateEscapes(text);
    EXPECT_EQ(text, c.out) << c.in;
    EXPECT_LE(text.size(), c.in.size());
  }
}

TEST(TranslateEscapes, BellBeepsAndProducesNothing) {
  RecordingNotifier notifier;
  std::string text = "a\\ab\\a";
  TranslateEscapes(text, &notifier);
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(notifier.beeps, 2);
  text = "\\a";
  TranslateEscapes(text);  // no notifier: still silent and safe
  EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace engine
