// A stand-in for the IDE on the socket desktop, for process-level tests.
//
//   ide_peer --title TEXT --class TEXT [--stamp N] [--document FILE]
//            [--selection TEXT] [--column] [--log FILE] [--dde ack|nack|silent]
//
// It plays one top-level window D/windows/<stamp>.sock (default stamp: the current
// time in microseconds) and, with --dde, the DDE server D/dde/MSVC.SYSTEM.sock of the
// desktop D of $XDG_RUNTIME_DIR. It answers GETTEXT and GETCLASS, replies 0 to every
// sent message, puts its selection on the clipboard on a copy command (204 or 57634;
// with --column also the column marker) and appends the clipboard text to its
// document on a paste command (205 or 57637). Every request is logged as one line:
// "GETTEXT", "SEND 273 57634 0", "POST 273 57637 0", "EXECUTE <data>". DDE executes
// are answered "ACK", "NACK" or not at all. It prints "ready" on standard output
// once it listens, and runs until SIGTERM, which removes its socket files.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"
#include "platform/runtime_dir.h"
#include "platform/unix_socket.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnTerminate(int) { g_stop = 1; }

struct Options {
  std::string title;
  std::string class_name;
  std::string stamp;
  std::string document;
  std::string selection;
  bool column = false;
  std::string log;
  std::string dde;  // "", "ack", "nack" or "silent"
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--column") {
      options.column = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    std::string value = argv[++i];
    if (arg == "--title") {
      options.title = value;
    } else if (arg == "--class") {
      options.class_name = value;
    } else if (arg == "--stamp") {
      options.stamp = value;
    } else if (arg == "--document") {
      options.document = value;
    } else if (arg == "--selection") {
      options.selection = value;
    } else if (arg == "--log") {
      options.log = value;
    } else if (arg == "--dde" && (value == "ack" || value == "nack" || value == "silent")) {
      options.dde = value;
    } else {
      return false;
    }
  }
  return true;
}

class Peer {
 public:
  explicit Peer(Options options) : options_(std::move(options)) {}

  bool Listen() {
    std::string desktop = platform::DesktopDirectoryPath();
    if (!platform::MakePrivateDirectory(desktop + "/windows")) return false;
    if (options_.stamp.empty()) {
      options_.stamp = std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::system_clock::now().time_since_epoch())
                                          .count());
    }
    window_path_ = desktop + "/windows/" + options_.stamp + ".sock";
    window_ = platform::ListenUnixSocket(window_path_);
    if (!window_.valid()) return false;
    if (!options_.dde.empty()) {
      if (!platform::MakePrivateDirectory(desktop + "/dde")) return false;
      dde_path_ = desktop + "/dde/MSVC.SYSTEM.sock";
      dde_ = platform::ListenUnixSocket(dde_path_);
      if (!dde_.valid()) return false;
    }
    return true;
  }

  void Run() {
    while (!g_stop) {
      std::vector<pollfd> fds{{window_.get(), POLLIN, 0}};
      if (dde_.valid()) fds.push_back({dde_.get(), POLLIN, 0});
      for (const platform::SocketFd& held : held_) fds.push_back({held.get(), POLLIN, 0});
      if (poll(fds.data(), fds.size(), -1) < 0) continue;  // a signal: check g_stop
      if (fds[0].revents & POLLIN) ServeWindow();
      if (dde_.valid() && (fds[1].revents & POLLIN)) ServeDde();
      // A held DDE connection ends when its client gives up and closes.
      std::size_t first_held = dde_.valid() ? 2 : 1;
      for (std::size_t i = fds.size(); i-- > first_held;) {
        if (fds[i].revents) held_.erase(held_.begin() + static_cast<long>(i - first_held));
      }
    }
  }

  ~Peer() {
    if (!window_path_.empty()) unlink(window_path_.c_str());
    if (!dde_path_.empty()) unlink(dde_path_.c_str());
  }

 private:
  void Log(std::string_view line) {
    if (options_.log.empty()) return;
    int fd = open(options_.log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    std::string text = std::string(line) + "\n";
    ssize_t ignored = write(fd, text.data(), text.size());
    (void)ignored;
    close(fd);
  }

  static platform::SocketFd Accept(int listener) {
    return platform::SocketFd(accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
  }

  void ServeWindow() {
    platform::SocketFd connection = Accept(window_.get());
    if (!connection.valid()) return;
    platform::SocketReader reader(connection.get());
    std::optional<std::string> request = reader.ReadLine(platform::DeadlineAfter(2000));
    if (!request) return;
    Log(*request);
    std::string reply;
    if (*request == "GETTEXT") {
      reply = options_.title;
    } else if (*request == "GETCLASS") {
      reply = options_.class_name;
    } else {
      bool sent = request->starts_with("SEND ");
      unsigned message = 0, wparam = 0, lparam = 0;
      if (std::sscanf(request->c_str() + 5, "%u %u %u", &message, &wparam, &lparam) == 3 &&
          message == 273) {
        HandleCommand(wparam);
      }
      if (!sent) return;
      reply = "0";
    }
    platform::SendAll(connection.get(), reply + "\n", platform::DeadlineAfter(2000));
  }

  void HandleCommand(unsigned command) {
    platform::FileClipboard clipboard;
    if (command == 204 || command == 57634) {
      platform::Clipboard::Format column = clipboard.RegisterFormat("MSVCColumnSelect");
      if (!clipboard.Open()) return;
      clipboard.Empty();
      clipboard.SetData(platform::Clipboard::kText, options_.selection);
      if (options_.column) clipboard.SetData(column, std::string(1, '\1'));
      clipboard.Close();
    } else if (command == 205 || command == 57637) {
      if (!clipboard.Open()) return;
      std::optional<std::string> text = clipboard.GetData(platform::Clipboard::kText);
      clipboard.Close();
      if (!text || options_.document.empty()) return;
      int fd = open(options_.document.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
      if (fd < 0) return;
      ssize_t ignored = write(fd, text->data(), text->size());
      (void)ignored;
      close(fd);
    }
  }

  void ServeDde() {
    platform::SocketFd connection = Accept(dde_.get());
    if (!connection.valid()) return;
    platform::SocketReader reader(connection.get());
    platform::Deadline deadline = platform::DeadlineAfter(2000);
    std::optional<std::string> header = reader.ReadLine(deadline, 64);
    std::size_t count = 0;
    if (!header || std::sscanf(header->c_str(), "EXECUTE %zu", &count) != 1) return;
    std::optional<std::string> data = reader.ReadExactly(count, deadline);
    if (!data) return;
    Log("EXECUTE " + *data);
    if (options_.dde == "silent") {
      held_.push_back(std::move(connection));
      return;
    }
    platform::SendAll(connection.get(), options_.dde == "ack" ? "ACK\n" : "NACK\n", deadline);
  }

  Options options_;
  std::string window_path_;
  std::string dde_path_;
  platform::SocketFd window_;
  platform::SocketFd dde_;
  std::vector<platform::SocketFd> held_;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(
        "usage: ide_peer --title TEXT --class TEXT [--stamp N] [--document FILE]\n"
        "                [--selection TEXT] [--column] [--log FILE] [--dde ack|nack|silent]\n",
        stderr);
    return 2;
  }
  // Terminating removes the socket files, so the desktop is left clean.
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  Peer peer(std::move(options));
  if (!peer.Listen()) {
    std::fputs("ide_peer: cannot listen on the desktop\n", stderr);
    return 1;
  }
  std::fputs("ready\n", stdout);
  std::fflush(stdout);
  peer.Run();
}
