// Reading one typed answer from a terminal or a pipe.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The next line of `fd` without its line end (LF or CR LF); a last line without a
// line end counts too. nullopt at the end of input or for fd < 0. Reads one byte at
// a time, so that nothing after the line is taken from a standard input that a
// started program may inherit.
std::optional<std::string> ReadAnswerLine(int fd);

}  // namespace platform
