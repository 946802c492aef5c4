// Backward scans over declaration text, shared by the declaration splitter and the
// function declaration parser (both cut their text from its end).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/text_ops.h"

namespace engine {

// Position of the last separator in `text`, or npos.
inline std::size_t LastSeparator(std::string_view text) {
  for (std::size_t i = text.size(); i > 0;) {
    --i;
    if (IsDeclarationSeparator(text[i])) return i;
  }
  return std::string_view::npos;
}

// The "(" that pairs with the ")" at `close_pos`, nested pairs counted, found by
// reading toward the start; the same as `FindMatching` with ")" on the reversed text.
inline std::optional<std::size_t> MatchOpeningBackwards(std::string_view text,
                                                        std::size_t close_pos) {
  std::size_t depth = 1;
  for (std::size_t i = close_pos < text.size() ? close_pos : text.size(); i > 0;) {
    --i;
    if (text[i] == ')') {
      ++depth;
    } else if (text[i] == '(' && --depth == 0) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace engine
