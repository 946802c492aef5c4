#include "platform/line_ends.h"

namespace platform {

bool UsesCrLf(std::string_view text) { return text.find("\r\n") != std::string_view::npos; }

std::string ToDesktopLineEnds(std::string_view text, bool keep_crlf) {
  if (keep_crlf) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace platform
