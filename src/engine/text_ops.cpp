#include "engine/text_ops.h"

#include <algorithm>

namespace engine {

bool IsDeclarationSeparator(char c) { return kDeclarationSeparators.find(c) != std::string_view::npos; }

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

// Gives the result of the repeated rule "remove the first // comment, again until
// there is none; then the first /* comment, again until none" in linear time.
// Removing a // comment keeps its line feed, so no new comment can form and one
// left-to-right pass removes them all. Removing a /* comment joins the text before it
// to the text after its */: only that join can form a new // or /*, and it is then
// the first one in the text, so it is handled on the spot.
void StripComments(std::string& text) {
  if (text.find('/') == std::string::npos) return;
  std::string out;
  out.reserve(text.size());

  std::size_t pos = 0;
  for (std::size_t start; (start = text.find("//", pos)) != std::string::npos;) {
    out.append(text, pos, start - pos);
    std::size_t line_end = text.find('\n', start + 2);
    pos = line_end == std::string::npos ? text.size() : line_end;
  }
  out.append(text, pos, std::string::npos);
  text.swap(out);
  out.clear();

  pos = 0;
  bool joined = false;  // out and text[pos..] were just joined by a removal
  for (;;) {
    if (joined && !out.empty() && pos < text.size() && out.back() == '/') {
      if (text[pos] == '/') {
        out.pop_back();
        std::size_t line_end = text.find('\n', pos + 1);
        pos = line_end == std::string::npos ? text.size() : line_end;
        joined = false;
        continue;
      }
      if (text[pos] == '*') {
        out.pop_back();
        std::size_t close = text.find("*/", pos + 1);
        if (close == std::string::npos) {
          pos = text.size();
          break;
        }
        pos = close + 2;
        continue;
      }
    }
    joined = false;
    std::size_t start = text.find("/*", pos);
    if (start == std::string::npos) break;
    out.append(text, pos, start - pos);
    std::size_t close = text.find("*/", start + 2);
    if (close == std::string::npos) {
      pos = text.size();
      break;
    }
    pos = close + 2;
    joined = true;
  }
  out.append(text, pos, std::string::npos);
  text.swap(out);
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
  int depth = 1;
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

bool RemoveQuotes(std::string& text) {
  std::size_t open = text.find('"');
  if (open == std::string::npos) return false;
  std::string kept;
  std::size_t pos = open + 1;
  for (;;) {
    std::size_t quote = text.find('"', pos);
    if (quote == std::string::npos) return false;
    if (quote > open + 1 && text[quote - 1] == '\\' && quote - 1 >= pos) {
      kept.append(text, pos, quote - 1 - pos);
      kept += '"';
      pos = quote + 1;
      continue;
    }
    kept.append(text, pos, quote - pos);
    text.swap(kept);
    return true;
  }
}

}  // namespace engine
