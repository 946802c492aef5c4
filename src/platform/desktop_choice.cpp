#include "platform/desktop_choice.h"

#include <dlfcn.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/keyboard_ide_link.h"
#include "platform/open_command.h"
#include "platform/program_path.h"
#include "platform/runtime_dir.h"
#include "platform/wayland_clipboard.h"
#include "platform/x11_backend.h"

namespace platform {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Set(const std::optional<std::string>& value) { return value && !value->empty(); }

enum class Probe { kNoServer, kSilent, kAnswers };

// A connection of the probe below, kept open until the X library has connected: an X
// server with no other client resets itself when its last client leaves, and one that
// is resetting refuses the next connection.
class HeldConnection {
 public:
  HeldConnection() = default;
  HeldConnection(const HeldConnection&) = delete;
  HeldConnection& operator=(const HeldConnection&) = delete;
  ~HeldConnection() { Reset(-1); }
  void Reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

// Whether an X server listens on the Unix socket `path` and answers the start of a
// connection within `timeout_ms`: a client that waited on a server that accepts but
// never answers would hang, as the X library has no time limit there.
Probe ProbeXServer(const std::string& path, bool abstract, int timeout_ms, HeldConnection& held) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return Probe::kNoServer;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof address.sun_path) {
    close(fd);
    return Probe::kNoServer;
  }
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    close(fd);
    return Probe::kNoServer;
  }
  // The connection setup of protocol 11.0 without authorisation; any reply (success,
  // refusal, or a request to authenticate) shows a live server.
  const unsigned char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  pollfd ready{fd, POLLIN, 0};
  unsigned char reply = 0;
  const bool answers =
      send(fd, setup, sizeof setup, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof setup) &&
      poll(&ready, 1, timeout_ms) == 1 && recv(fd, &reply, 1, 0) == 1;
  if (!answers) {
    close(fd);
    return Probe::kSilent;
  }
  held.Reset(fd);
  return Probe::kAnswers;
}

// The socket in /tmp/.X11-unix, else the abstract one of the same name.
bool LocalXServerAnswers(int number, HeldConnection& held) {
  constexpr int kTimeoutMs = 1000;
  const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
  Probe probe = ProbeXServer(path, false, kTimeoutMs, held);
  if (probe == Probe::kNoServer) probe = ProbeXServer(path, true, kTimeoutMs, held);
  return probe == Probe::kAnswers;
}

// The local display number of DISPLAY (":1", ":1.0", "unix:1"), or -1 for one that
// is not on this machine's sockets.
int LocalDisplayNumber(const std::string& display) {
  std::string rest;
  if (display.starts_with(":"))
    rest = display.substr(1);
  else if (display.starts_with("unix:"))
    rest = display.substr(5);
  else
    return -1;
  std::size_t digits = 0;
  while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits]))) ++digits;
  if (digits == 0 || digits > 6) return -1;
  return std::atoi(rest.substr(0, digits).c_str());
}

std::shared_ptr<X11Backend> OpenX11(const std::string& module_directory, std::string& error) {
  std::string path =
      (module_directory.empty() ? ProgramDirectory() : module_directory) + "/" + kX11ModuleFileName;
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto open =
      module ? reinterpret_cast<X11OpenFunction>(dlsym(module, kX11ModuleEntryPoint)) : nullptr;
  if (!open) {
    error = std::string("cannot load the X11 module ") + path + ": " + dlerror();
    return nullptr;
  }
  char message[512] = "";
  X11Backend* backend = open(kX11BackendVersion, nullptr, message, sizeof message);
  if (!backend) {
    error = message;
    return nullptr;
  }
  return std::shared_ptr<X11Backend>(backend);
}

}  // namespace

DesktopEnvironment ReadDesktopEnvironment() {
  return {Variable("BRACKWATER_DESKTOP"), Variable("WAYLAND_DISPLAY"), Variable("DISPLAY")};
}

DesktopDecision ChooseDesktop(const DesktopEnvironment& env,
                              const std::function<bool()>& wayland_reachable,
                              const std::function<bool()>& x11_connects) {
  std::string choice = Lower(env.choice.value_or(""));
  if (choice == "socket") return {DesktopKind::kSocket, ""};
  if (choice == "x11") {
    if (!Set(env.display)) return {DesktopKind::kX11, "DISPLAY is not set"};
    return {DesktopKind::kX11, ""};
  }
  if (choice == "wayland") {
    if (!Set(env.wayland_display)) return {DesktopKind::kWayland, "WAYLAND_DISPLAY is not set"};
    if (!wayland_reachable()) {
      return {DesktopKind::kWayland,
              "the Wayland clipboard is out of reach: it needs wl-copy and wl-paste "
              "(package wl-clipboard) and a running compositor"};
    }
    return {DesktopKind::kWayland, ""};
  }
  if (!choice.empty() && choice != "auto") {
    return {DesktopKind::kSocket,
            "BRACKWATER_DESKTOP=" + *env.choice + " is none of socket, x11, wayland and auto"};
  }
  if (Set(env.wayland_display) && wayland_reachable()) return {DesktopKind::kWayland, ""};
  if (Set(env.display) && x11_connects()) return {DesktopKind::kX11, ""};
  return {DesktopKind::kSocket, ""};
}

bool WaylandClipboardReachable(const DesktopEnvironment& env) {
  if (!Set(env.wayland_display)) return false;
  std::string socket_path = *env.wayland_display;
  if (!socket_path.starts_with("/")) {
    std::optional<std::string> runtime = Variable("XDG_RUNTIME_DIR");
    if (!Set(runtime)) return false;
    socket_path = *runtime + "/" + socket_path;
  }
  if (access(socket_path.c_str(), F_OK) != 0) return false;
  std::string path = Variable("PATH").value_or("/usr/bin:/bin");
  return FoundOnPath("wl-copy", path) && FoundOnPath("wl-paste", path);
}

Desktop MakeDesktop(const config::Settings* settings, const DesktopOptions& options,
                    std::function<void(std::string_view)> diagnostic) {
  DesktopEnvironment env = ReadDesktopEnvironment();
  std::shared_ptr<X11Backend> x11;
  std::string x11_error;
  HeldConnection probe_connection;
  bool probed = false;
  auto x11_connects = [&] {
    int number = LocalDisplayNumber(*env.display);
    if (number >= 0) {
      // A local display is probed without the X libraries, so that a run that ends
      // up elsewhere never loads them.
      probed = true;
      return LocalXServerAnswers(number, probe_connection);
    }
    x11 = OpenX11(options.module_directory, x11_error);
    return x11 != nullptr;
  };
  DesktopDecision decision = ChooseDesktop(
      env, [&] { return WaylandClipboardReachable(env); }, x11_connects);

  if (decision.error.empty() && decision.kind == DesktopKind::kX11 && !x11) {
    const int number = LocalDisplayNumber(env.display.value_or(""));
    if (number >= 0 && !probed && !LocalXServerAnswers(number, probe_connection)) {
      x11_error = "the X display " + *env.display + " does not answer";
    } else {
      x11 = OpenX11(options.module_directory, x11_error);
    }
    // Chosen automatically, a display that answers the socket but not the X
    // protocol (refused authorisation, say) counts as one that does not connect.
    const std::string choice = Lower(env.choice.value_or(""));
    if (!x11 && (choice.empty() || choice == "auto")) decision = {DesktopKind::kSocket, ""};
  }
  probe_connection.Reset(-1);

  Desktop desktop;
  desktop.kind = decision.kind;
  desktop.error = decision.error;
  if (decision.kind == DesktopKind::kSocket && decision.error.empty()) {
    desktop.clipboard = std::make_unique<FileClipboard>();
    desktop.windows = std::make_unique<SocketWindowSystem>();
    desktop.dde = std::make_unique<SocketDdeClient>();
    desktop.ide = std::make_unique<DesktopIdeLink>(*desktop.windows, *desktop.dde, settings);
    return desktop;
  }
  desktop.dde = std::make_unique<OpenCommandClient>(settings);
  KeyInjector* keys = nullptr;
  if (desktop.error.empty() && decision.kind == DesktopKind::kX11) {
    if (x11) {
      desktop.transport = x11;
      desktop.backend = x11;
      keys = x11.get();
    } else {
      desktop.error = x11_error;
    }
  } else if (desktop.error.empty() && decision.kind == DesktopKind::kWayland) {
    desktop.transport = std::make_shared<WlClipboardTransport>();
  }
  if (desktop.transport) {
    desktop.clipboard =
        std::make_unique<SelectionClipboard>(desktop.transport, options.desktop_line_ends);
  } else {
    desktop.clipboard = std::make_unique<UnreachableClipboard>();
  }
  auto link = std::make_unique<KeyboardIdeLink>(keys, *desktop.dde, settings);
  if (diagnostic) link->SetDiagnosticHook(diagnostic);
  desktop.ide = std::move(link);
  return desktop;
}

}  // namespace platform
