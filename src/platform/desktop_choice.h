// Which desktop the programs work with: the suite's own stand-ins (the clipboard file
// and the socket desktop), an X11 display, or a Wayland compositor. The variable
// BRACKWATER_DESKTOP chooses: socket, x11, wayland, or auto (the default).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/selection_clipboard.h"

namespace config {
class Settings;
}

namespace platform {

enum class DesktopKind { kSocket, kX11, kWayland };

struct DesktopEnvironment {
  std::optional<std::string> choice;           // BRACKWATER_DESKTOP
  std::optional<std::string> wayland_display;  // WAYLAND_DISPLAY
  std::optional<std::string> display;          // DISPLAY
};

DesktopEnvironment ReadDesktopEnvironment();

struct DesktopDecision {
  DesktopKind kind = DesktopKind::kSocket;
  // Set when the chosen desktop cannot be used: its clipboard then fails.
  std::string error;
};

// auto: wayland when WAYLAND_DISPLAY is set and `wayland_reachable`, else x11 when
// DISPLAY is set and `x11_connects`, else socket. An explicit choice is taken as it
// is, with an error when it cannot work; an unknown choice is an error too.
DesktopDecision ChooseDesktop(const DesktopEnvironment& env,
                              const std::function<bool()>& wayland_reachable,
                              const std::function<bool()>& x11_connects);

// Whether the Wayland clipboard can be reached: the compositor's socket exists and
// wl-copy and wl-paste are on PATH.
bool WaylandClipboardReachable(const DesktopEnvironment& env);

// A clipboard that cannot be opened, for a desktop that cannot be reached.
class UnreachableClipboard : public Clipboard {
 public:
  Format RegisterFormat(std::string_view name) override { return formats_.Register(name); }
  bool IsFormatAvailable(Format) override { return false; }
  bool Open() override { return false; }
  std::optional<std::string> GetData(Format) override { return std::nullopt; }
  bool Empty() override { return false; }
  bool SetData(Format, std::string) override { return false; }
  bool Close() override { return false; }

 private:
  FormatRegistry formats_;
};

struct DesktopOptions {
  // Turn CR LF into LF in text written to a desktop clipboard (ToDesktopLineEnds);
  // off for a program that hands over bytes as given.
  bool desktop_line_ends = true;
  // Where the X11 module sits; empty: the directory of the running program.
  std::string module_directory;
};

// What a program works with on the chosen desktop.
struct Desktop {
  DesktopKind kind = DesktopKind::kSocket;
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<IdeLink> ide;
  // The open requests (the DDE open on the socket desktop, the open command line on
  // the others).
  std::unique_ptr<DdeClient> dde;
  // The desktop's clipboard itself; null on the socket desktop.
  std::shared_ptr<SelectionTransport> transport;
  // Why the chosen desktop cannot be used (the clipboard then fails to open).
  std::string error;

  // Kept alive for the links above.
  std::unique_ptr<WindowSystem> windows;
  std::shared_ptr<void> backend;
};

// `settings` may be null and must outlive the desktop. Diagnostics of the IDE link
// (keys that cannot be sent) go to `diagnostic`.
Desktop MakeDesktop(const config::Settings* settings, const DesktopOptions& options = {},
                    std::function<void(std::string_view)> diagnostic = nullptr);

}  // namespace platform
