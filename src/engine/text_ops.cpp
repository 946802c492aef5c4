#include "engine/text_ops.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace engine {
namespace {

constexpr std::array<bool, 256> kIsSeparator = [] {
  std::array<bool, 256> table{};
  for (char c : kDeclarationSeparators) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

// Moves text[from, to) down to `write`, which never lies after `from`, and advances
// `write` past it. Lets the comment passes compact the text in place.
void Keep(std::string& text, std::size_t& write, std::size_t from, std::size_t to) {
  if (write != from) std::memmove(text.data() + write, text.data() + from, to - from);
  write += to - from;
}

// Removes every "//" comment, left to right. Removing one keeps its line feed (or
// cuts the text), so no removal can form a new "//" or "/*" and each search may
// start where the last comment ended.
void StripLineComments(std::string& text) {
  const std::string_view view = text;  // read at or after `read`; writes stay before it
  std::size_t write = 0;
  std::size_t read = 0;
  for (std::size_t start; (start = view.find("//", read)) != std::string_view::npos;) {
    Keep(text, write, read, start);
    std::size_t line_end = view.find('\n', start + 2);
    read = line_end == std::string_view::npos ? view.size() : line_end;
  }
  Keep(text, write, read, view.size());
  text.resize(write);
}

// Removes every "/*" comment, left to right, from a text without "//". A removal
// joins the text before the comment to the text after its "*/", and a new comment
// opener could only form across that join from a "/" just before the comment; that
// "/" would have made a "//" with the comment's own "/". So no removal forms a new
// comment and one pass gives the result of removing the first one until none is left.
void StripBlockComments(std::string& text) {
  const std::string_view view = text;
  std::size_t write = 0;
  std::size_t read = 0;
  for (std::size_t start; (start = view.find("/*", read)) != std::string_view::npos;) {
    Keep(text, write, read, start);
    std::size_t close = view.find("*/", start + 2);
    read = close == std::string_view::npos ? view.size() : close + 2;
  }
  Keep(text, write, read, view.size());
  text.resize(write);
}

}  // namespace

bool IsDeclarationSeparator(char c) { return kIsSeparator[static_cast<unsigned char>(c)]; }

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trimmed(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsWhiteSpace(text[begin])) ++begin;
  while (end > begin && IsWhiteSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void TrimText(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsWhiteSpace(text[end - 1])) --end;
  text.resize(end);
  std::size_t begin = 0;
  while (begin < text.size() && IsWhiteSpace(text[begin])) ++begin;
  text.erase(0, begin);
}

// Linear in the text size, in place, with the result of the repeated rule: remove
// the first "//" comment while there is one, and only then the first "/*" comment,
// starting over after each removal.
void StripComments(std::string& text) {
  if (text.find('/') == std::string::npos) return;
  StripLineComments(text);
  StripBlockComments(text);
}

std::optional<std::size_t> FindMatching(std::string_view text, std::size_t open_pos, char open) {
  char close;
  if (open == '(') {
    close = ')';
  } else if (open == ')') {
    close = '(';
  } else {
    return std::nullopt;
  }
  if (open_pos >= text.size()) return std::nullopt;
  std::size_t depth = 1;
  for (std::size_t i = open_pos + 1; i < text.size(); ++i) {
    if (text[i] == open) {
      ++depth;
    } else if (text[i] == close && --depth == 0) {
      return i;
    }
  }
  return std::nullopt;
}

void ReverseText(std::string& text) { std::reverse(text.begin(), text.end()); }

// Removing the backslash before a quote never changes which character precedes a
// later quote, so the closing quote is the first one after the opening quote whose
// predecessor in the original text is not a backslash. It is found before anything
// changes, so a failure leaves the text untouched.
bool RemoveQuotes(std::string& text) {
  std::size_t open = text.find('"');
  if (open == std::string::npos) return false;
  std::size_t close = open + 1;
  for (;; ++close) {
    close = text.find('"', close);
    if (close == std::string::npos) return false;
    if (text[close - 1] != '\\') break;  // at open + 1 this is the opening quote
  }
  std::size_t write = 0;
  for (std::size_t read = open + 1; read < close; ++read) {
    if (text[read] == '\\' && text[read + 1] == '"') continue;
    text[write++] = text[read];
  }
  text.resize(write);
  return true;
}

}  // namespace engine
