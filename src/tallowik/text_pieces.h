// Reading a text file the way the generator reads templates and the project string
// file: line by line, at most 1023 characters at a time, with the platform's text
// line end. A carriage return just before a line feed is dropped, so a CR LF line end
// arrives as LF; any other carriage return is data, and so is every other byte
// (zero bytes included).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallowik {

// The longest piece: a line buffer of 1024 bytes with its terminating zero.
inline constexpr std::size_t kMaxPiece = 1023;

// Splits `bytes` (the whole file) into pieces. A piece is a line with its LF, or, for
// a line longer than kMaxPiece characters (counting the LF), kMaxPiece characters of
// it followed by the next piece of the same line; the last line may lack its LF.
class TextPieceReader {
 public:
  explicit TextPieceReader(std::string_view bytes) : bytes_(bytes) {}

  // The next piece; false, with `piece` empty, at the end of the text.
  bool Next(std::string& piece);

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;  // where the next line starts in `bytes_`
  // The line being cut into pieces: its content without the line end, whether a LF
  // follows it, and how much of it has been delivered (the LF counts as one more).
  std::string_view content_;
  bool has_line_feed_ = false;
  std::size_t delivered_ = 0;
  bool in_line_ = false;
};

}  // namespace tallowik
