#include "platform/display.h"

#include <cstdlib>
#include <string>

namespace platform {
namespace {

bool HasValue(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

bool IsTty(const char* name) {
  const char* value = std::getenv(name);
  return value && std::string_view(value) == "tty";
}

}  // namespace

bool WindowsWanted(std::string_view program_variable) {
  if (IsTty("BRACKWATER_UI")) return false;
  if (!program_variable.empty() && IsTty(std::string(program_variable).c_str())) return false;
  return HasValue("DISPLAY") || HasValue("WAYLAND_DISPLAY");
}

}  // namespace platform
