#include "platform/unix_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace platform {
namespace {

int MillisecondsLeft(Deadline deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// Waits for `events` on `fd`; false on timeout or error.
bool WaitFor(int fd, short events, Deadline deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    int n = poll(&p, 1, MillisecondsLeft(deadline));
    if (n < 0 && errno == EINTR) continue;
    return n > 0;
  }
}

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

}  // namespace

Deadline DeadlineAfter(int milliseconds) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
}

SocketFd::~SocketFd() {
  if (fd_ >= 0) close(fd_);
}

SocketFd& SocketFd::operator=(SocketFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.release();
  }
  return *this;
}

SocketFd ConnectUnixSocket(const std::string& path, Deadline deadline) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return {};
  SocketFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.valid()) return {};
  for (;;) {
    if (connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    if (errno == EINTR) continue;
    if (errno == EINPROGRESS) {
      int error = 0;
      socklen_t size = sizeof error;
      if (!WaitFor(fd.get(), POLLOUT, deadline) ||
          getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
        return {};
      }
      return fd;
    }
    // A full backlog: the listener is busy; try again until the deadline.
    if (errno != EAGAIN || std::chrono::steady_clock::now() >= deadline) return {};
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

SocketFd ListenUnixSocket(const std::string& path) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return {};
  SocketFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd.valid()) return {};
  if (bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    if (errno != EADDRINUSE) return {};
    // Replace the socket file only when nobody answers on it.
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return {};
    if (ConnectUnixSocket(path, DeadlineAfter(200)).valid()) return {};
    unlink(path.c_str());
    if (bind(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return {};
  }
  if (listen(fd.get(), 16) != 0) return {};
  return fd;
}

bool SendAll(int fd, std::string_view data, Deadline deadline) {
  while (!data.empty()) {
    ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      data.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd, POLLOUT, deadline)) {
      continue;
    }
    return false;
  }
  return true;
}

bool SocketReader::Fill(Deadline deadline) {
  char chunk[4096];
  for (;;) {
    ssize_t n = recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n > 0) {
      buffer_.append(chunk, static_cast<std::size_t>(n));
      return true;
    }
    if (n == 0) return false;
    if (errno == EINTR) continue;
    if ((errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd_, POLLIN, deadline)) continue;
    return false;
  }
}

std::optional<std::string> SocketReader::ReadLine(Deadline deadline, std::size_t max_bytes) {
  std::size_t searched = 0;
  for (;;) {
    std::size_t end = buffer_.find('\n', searched);
    if (end != std::string::npos) {
      if (end > max_bytes) return std::nullopt;
      std::string line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      return line;
    }
    searched = buffer_.size();
    if (searched > max_bytes || !Fill(deadline)) return std::nullopt;
  }
}

std::optional<std::string> SocketReader::ReadExactly(std::size_t count, Deadline deadline) {
  while (buffer_.size() < count) {
    if (!Fill(deadline)) return std::nullopt;
  }
  std::string bytes = buffer_.substr(0, count);
  buffer_.erase(0, count);
  return bytes;
}

bool SocketReader::WaitForEnd(Deadline deadline) {
  for (;;) {
    buffer_.clear();
    if (!Fill(deadline)) return std::chrono::steady_clock::now() < deadline;
  }
}

}  // namespace platform
