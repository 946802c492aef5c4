#include "engine/text_ops.h"

#include <gtest/gtest.h>

#include <random>

namespace engine {
namespace {

// The comment rule exactly as stated, one removal at a time.
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

TEST(TextOps, SeparatorSetIsExactlyTheThirtyFiveCharacters) {
  EXPECT_EQ(kDeclarationSeparators.size(), 35u);
  for (char c : std::string_view("_$azAZ09")) EXPECT_FALSE(IsDeclarationSeparator(c)) << c;
  for (char c : std::string_view("\t\r\n\v\b\f'\" !%^&()-+={}|~[]\\;:<>?,./#*")) {
    EXPECT_TRUE(IsDeclarationSeparator(c)) << int(c);
  }
  EXPECT_FALSE(IsDeclarationSeparator('\0'));
  EXPECT_FALSE(IsDeclarationSeparator('@'));
}

TEST(TextOps, StripComments) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"int n // count", "int n "},
      {"int n // count\nint m", "int n \nint m"},
      {"int /* count */ n", "int  n"},
      {"a /* open", "a "},
      {"a // x /* y */ b\nc", "a \nc"},
      {"a /* x // y */ b", "a "},  // "//" is removed first and takes the "*/" with it
      {"s = \"http://x\"", "s = \"http:"},
      {"/**/", ""},
      {"/*/ x */y", "y"},
      {"a/* */*/ b", "a*/ b"},
      {"a/**//b\nc", "a\nc"},     // the removal joins "/" and "/" into a new comment
      {"a//**/x", "a"},
      {"x/ /**/* y */z", "x/ z"},  // the join forms a new "/*"
      {"", ""},
      {"no comments", "no comments"},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    StripComments(text);
    EXPECT_EQ(text, StripCommentsReference(c.in)) << c.in;
  }
}

TEST(TextOps, StripCommentsAgreesWithTheRuleOnRandomText) {
  std::mt19937 random(7);
  const char alphabet[] = "/*\na ";
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) text += alphabet[random() % 5];
    std::string fast = text;
    StripComments(fast);
    ASSERT_EQ(fast, StripCommentsReference(text)) << '"' << text << '"';
  }
}

TEST(TextOps, StripCommentsStaysLinearOnHugeText) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "a /* b */ c // d\n";
  StripComments(text);
  EXPECT_EQ(text.size(), 200000u * 6);  // "a  c \n"
}

TEST(TextOps, TrimAndReverse) {
  std::string text = " \t\r\n\v\fabc \f";
  TrimText(text);
  EXPECT_EQ(text, "abc");
  text = "   ";
  TrimText(text);
  EXPECT_EQ(text, "");
  EXPECT_EQ(Trimmed(std::string_view("\0 x \0", 5)), std::string_view("\0 x \0", 5));
  text = "abc";
  ReverseText(text);
  EXPECT_EQ(text, "cba");
}

TEST(TextOps, FindMatching) {
  struct Case {
    const char* text;
    std::size_t pos;
    char open;
    std::optional<std::size_t> result;
  } cases[] = {
      {"(a(b)c)", 0, '(', 6}, {"(a(b)c)", 2, '(', 4}, {"(a(b", 0, '(', std::nullopt},
      {")b(a(", 0, ')', 2},   {"[x]", 0, '[', std::nullopt}, {"(", 0, '(', std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FindMatching(c.text, c.pos, c.open), c.result) << c.text;
}

TEST(TextOps, RemoveQuotes) {
  struct Case {
    const char* in;
    bool ok;
    const char* out;
  } cases[] = {
      {R"("a\"b")", true, R"(a"b)"},
      {R"(x "quoted" y)", true, "quoted"},
      {R"("")", true, ""},
      {"", false, ""},
      {"plain", false, "plain"},
      {R"("open)", false, R"("open)"},
      {R"("a\")", false, R"("a\")"},
      {R"("a\\"b")", true, R"(a\"b)"},  // only the backslash right before a quote goes
      {R"("sort -r" /x)", true, "sort -r"},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(RemoveQuotes(text), c.ok) << c.in;
    EXPECT_EQ(text, c.out) << c.in;
  }
}

}  // namespace
}  // namespace engine
