#include "platform/answer_line.h"

#include <unistd.h>

#include <cerrno>

namespace platform {

std::optional<std::string> ReadAnswerLine(int fd) {
  if (fd < 0) return std::nullopt;
  std::string line;
  bool any = false;
  for (;;) {
    char c;
    ssize_t n = read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    any = true;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    line += c;
  }
  if (!any) return std::nullopt;
  return line;
}

}  // namespace platform
