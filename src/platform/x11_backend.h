// The contract between the programs and the X11 module, a shared library beside them
// that is loaded only when the X11 desktop is chosen, so that no other run loads the
// X libraries.
#pragma once

#include <cstddef>

#include "platform/keyboard_ide_link.h"
#include "platform/selection_clipboard.h"

namespace platform {

inline constexpr char kX11ModuleFileName[] = "libbrackwater_x11.so";
inline constexpr char kX11ModuleEntryPoint[] = "BrackwaterX11Open";
// Raised whenever X11Backend or the interfaces it implements change.
inline constexpr int kX11BackendVersion = 1;

// One connection to the display: its CLIPBOARD selection and its keyboard.
class X11Backend : public SelectionTransport, public KeyInjector {};

// A new backend connected to `display` (null: $DISPLAY) that the caller owns, or null
// with a message in `error` (at most `error_size` bytes, zero-terminated) when the
// version is not the module's or the display does not connect.
using X11OpenFunction = X11Backend* (*)(int version, const char* display, char* error,
                                        std::size_t error_size);

}  // namespace platform

extern "C" platform::X11Backend* BrackwaterX11Open(int version, const char* display, char* error,
                                                   std::size_t error_size);
