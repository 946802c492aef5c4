// Key and value names compare without regard to (ASCII) letter case.
#pragma once

#include <string>
#include <string_view>

namespace config {

inline std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

}  // namespace config
