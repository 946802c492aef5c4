#include "tallowik/text_pieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallowik {
namespace {

using Pieces = std::vector<std::string>;

Pieces Read(std::string_view text) {
  TextPieceReader reader(text);
  Pieces pieces;
  std::string piece;
  while (reader.Next(piece)) pieces.push_back(piece);
  EXPECT_TRUE(piece.empty());
  return pieces;
}

TEST(TextPieceReader, Table) {
  const std::string x(2000, 'x');
  struct Case {
    const char* name;
    std::string text;
    Pieces pieces;
  } cases[] = {
      {"empty file", "", {}},
      {"lines keep their line feed", "a\nb\n", {"a\n", "b\n"}},
      {"last line without line end", "a\nb", {"a\n", "b"}},
      {"crlf becomes lf", "a\r\n\r\nb\r\n", {"a\n", "\n", "b\n"}},
      {"lone carriage return is data", "a\rb\r", {"a\rb\r"}},
      {"cr cr lf keeps one cr", "a\r\r\n", {"a\r\n"}},
      {"zero bytes are data", std::string("a\0b\n", 4), {std::string("a\0b\n", 4)}},
      {"2000 characters in two pieces",
       x + "\n",
       {std::string(1023, 'x'), std::string(977, 'x') + "\n"}},
      {"line feed alone in the second piece",
       std::string(1023, 'y') + "\r\n",
       {std::string(1023, 'y'), "\n"}},
      {"exactly one piece with its line feed",
       std::string(1022, 'z') + "\r\nq",
       {std::string(1022, 'z') + "\n", "q"}},
      {"three pieces without a line end",
       std::string(2100, 'w'),
       {std::string(1023, 'w'), std::string(1023, 'w'), std::string(54, 'w')}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.text), c.pieces) << c.name;
  }
}

}  // namespace
}  // namespace tallowik
