// Any replies of the IDE's windows and DDE server: the window search, a sent
// command and an open request read whatever comes back without harm. A peer thread
// plays the IDE, answering every request with the input's bytes and closing.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>

#include "fuzz_support.h"
#include "platform/ide_link.h"
#include "platform/unix_socket.h"

namespace {

struct Desktop {
  std::string root;
  platform::SocketFd window;
  platform::SocketFd dde;
};

Desktop& TheDesktop() {
  static Desktop desktop = [] {
    Desktop d;
    d.root = fuzz_support::ScratchDirectory() + "/desktop";
    std::filesystem::create_directories(d.root + "/windows");
    std::filesystem::create_directories(d.root + "/dde");
    d.window = platform::ListenUnixSocket(d.root + "/windows/1.sock");
    d.dde = platform::ListenUnixSocket(d.root + "/dde/MSVC.SYSTEM.sock");
    if (!d.window.valid() || !d.dde.valid()) std::abort();
    return d;
  }();
  return desktop;
}

// Answers each connection on either socket with `reply` until `stop`.
void Serve(const std::string& reply, const std::atomic<bool>& stop) {
  Desktop& desktop = TheDesktop();
  while (!stop) {
    pollfd fds[2] = {{desktop.window.get(), POLLIN, 0}, {desktop.dde.get(), POLLIN, 0}};
    if (poll(fds, 2, 5) <= 0) continue;
    for (const pollfd& ready : fds) {
      if (!(ready.revents & POLLIN)) continue;
      int connection = accept(ready.fd, nullptr, nullptr);
      if (connection < 0) continue;
      (void)platform::SendAll(connection, reply, platform::DeadlineAfter(100));
      shutdown(connection, SHUT_RDWR);
      close(connection);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const std::string root = TheDesktop().root;
  std::atomic<bool> stop{false};
  std::thread peer(Serve, std::cref(reply), std::cref(stop));
  {
    platform::SocketWindowSystem windows(root,
                                         {.connect_ms = 200, .query_ms = 200, .send_ms = 200});
    int indicator = 0;
    std::optional<platform::Window> ide = platform::FindIdeWindow(windows, &indicator);
    for (const platform::Window& window : windows.EnumerateWindows()) {
      (void)windows.Send(window, 273, 57634, 0);
    }
    platform::SocketDdeClient dde(root, 200);
    (void)platform::OpenFileInIde(dde, "/src/main.cpp");
  }
  stop = true;
  peer.join();
  return 0;
}
