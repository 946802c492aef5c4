// The entry point of the X11 module.
#include <cstdio>
#include <cstdlib>

#include "platform/x11/x11_desktop.h"

extern "C" __attribute__((visibility("default"))) platform::X11Backend* BrackwaterX11Open(
    int version, const char* display, char* error, std::size_t error_size) {
  auto fail = [&](const std::string& message) -> platform::X11Backend* {
    if (error && error_size > 0) std::snprintf(error, error_size, "%s", message.c_str());
    return nullptr;
  };
  if (version != platform::kX11BackendVersion) return fail("the X11 module is of another version");
  std::string message;
  std::unique_ptr<platform::x11::Connection> connection =
      platform::x11::Connection::Open(display, message);
  if (!connection) return fail(message);
  const char* name = display ? display : std::getenv("DISPLAY");
  return new platform::x11::X11Desktop(std::move(connection), name ? name : "");
}
