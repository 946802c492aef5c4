#include "engine/text_ops.h"

#include <gtest/gtest.h>

#include <random>

namespace engine {
namespace {

using namespace std::string_literals;

// The comment rule exactly as stated, one removal at a time (quadratic).
std::string StripCommentsReference(std::string text) {
  for (;;) {
    std::size_t start = text.find("//");
    if (start != std::string::npos) {
      std::size_t end = text.find('\n', start + 2);
      text.erase(start, end == std::string::npos ? std::string::npos : end - start);
      continue;
    }
    start = text.find("/*");
    if (start == std::string::npos) return text;
    std::size_t end = text.find("*/", start + 2);
    text.erase(start, end == std::string::npos ? std::string::npos : end + 2 - start);
  }
}

TEST(TextOps, StripComments) {
  const std::pair<std::string, std::string> cases[] = {
      {"int n // count\nint m", "int n \nint m"},
      {"int /* count */ n", "int  n"},
      {"a /* open", "a "},
      {"a /* x // y */ b", "a "},  // "//" goes first and takes the "*/" with it
      {"s = \"http://x\"", "s = \"http:"},
      {"/*/ x */y", "y"},
      {"a/**//b\nc", "a"},  // "*//b" holds a "//" that goes first, and "/*" is then unclosed
      {"x/ /**/* y */z", "x/ * y */z"},  // a removal joins nothing into a new comment
      {"a\0/**/b"s, "a\0b"s},
  };
  for (const auto& [in, out] : cases) {
    std::string text = in;
    StripComments(text);
    EXPECT_EQ(text, out) << in;
  }
}

TEST(TextOps, StripCommentsAgreesWithTheRuleOnRandomText) {
  std::mt19937 random(7);
  const std::string alphabet = "/*\na \0"s;
  for (int round = 0; round < 50000; ++round) {
    std::string text(random() % 32, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    std::string fast = text;
    StripComments(fast);
    ASSERT_EQ(fast, StripCommentsReference(text)) << '"' << text << '"';
  }
}

TEST(TextOps, StripCommentsStaysLinearOnHugeText) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "a /* b */ c // d\n/";
  StripComments(text);  // each trailing "/" meets the next "a": nothing joins
  EXPECT_EQ(text.size(), 200000u * 7);
  text = "/*" + std::string(4 << 20, '/');
  StripComments(text);
  EXPECT_EQ(text, "");
}

TEST(TextOps, SeparatorsTrimReverse) {
  EXPECT_EQ(kDeclarationSeparators.size(), 35u);
  for (char c : "_$azAZ09@\x80\0"s) EXPECT_FALSE(IsDeclarationSeparator(c)) << int(c);
  for (char c : "\t\r\n\v\b\f'\" !%^&()-+={}|~[]\\;:<>?,./#*"s) {
    EXPECT_TRUE(IsDeclarationSeparator(c)) << int(c);
  }
  std::string text = " \t\r\n\v\fa\0b \f"s;
  TrimText(text);
  EXPECT_EQ(text, "a\0b"s);
  EXPECT_EQ(Trimmed(" \b "), "\b");
  text = "   ";
  TrimText(text);
  EXPECT_EQ(text, "");
  text = "abc";
  ReverseText(text);
  EXPECT_EQ(text, "cba");
}

TEST(TextOps, FindMatching) {
  const struct {
    const char* text;
    std::size_t pos;
    char open;
    std::optional<std::size_t> result;
  } cases[] = {
      {"(a(b)c)", 0, '(', 6},
      {"(a(b)c)", 2, '(', 4},
      {"(a(b", 0, '(', std::nullopt},
      {")b(a(", 0, ')', 2},
      {"[x]", 0, '[', std::nullopt},
      {"()", 7, '(', std::nullopt},  // a position past the end finds nothing
      {"()", std::string::npos, '(', std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FindMatching(c.text, c.pos, c.open), c.result) << c.text;
}

TEST(TextOps, RemoveQuotes) {
  const struct {
    const char* in;
    bool ok;
    const char* out;
  } cases[] = {
      {R"("a\"b")", true, R"(a"b)"}, {R"(x "quoted" y)", true, "quoted"},
      {R"("")", true, ""},           {"", false, ""},
      {"plain", false, "plain"},     {R"("open)", false, R"("open)"},
      {R"("a\")", false, R"("a\")"}, {R"("a\\"b")", true, R"(a\"b)"},
      {R"("\"\"")", true, R"("")"},
  };
  for (const auto& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(RemoveQuotes(text), c.ok) << c.in;
    EXPECT_EQ(text, c.out) << c.in;
  }
}

}  // namespace
}  // namespace engine
