// Unix stream sockets with a deadline on every operation, for the IDE link and the
// programs that play windows.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

using Deadline = std::chrono::steady_clock::time_point;
Deadline DeadlineAfter(int milliseconds);

// Owns a descriptor; closes it on destruction.
class SocketFd {
 public:
  SocketFd() = default;
  explicit SocketFd(int fd) : fd_(fd) {}
  ~SocketFd();
  SocketFd(SocketFd&& other) noexcept : fd_(other.release()) {}
  SocketFd& operator=(SocketFd&& other) noexcept;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

// A connected socket, or an invalid one when nothing listens at `path` (or the path
// is too long for a socket address) or the connection is not accepted in time.
SocketFd ConnectUnixSocket(const std::string& path, Deadline deadline);

// A listening socket at `path`; a stale socket file left by a dead listener is
// replaced. Invalid when the path is in use or cannot be bound.
SocketFd ListenUnixSocket(const std::string& path);

bool SendAll(int fd, std::string_view data, Deadline deadline);

// Reads a connection's bytes, line by line or by count, without reading past what
// was asked for from the caller's point of view.
class SocketReader {
 public:
  explicit SocketReader(int fd) : fd_(fd) {}
  // The next line without its "\n"; nullopt at the end of the stream before a line
  // feed, after the deadline, or when the line exceeds `max_bytes`.
  std::optional<std::string> ReadLine(Deadline deadline, std::size_t max_bytes = 65536);
  // Exactly `count` bytes, or nullopt.
  std::optional<std::string> ReadExactly(std::size_t count, Deadline deadline);
  // Waits until the peer closes its end (true) or the deadline passes (false).
  bool WaitForEnd(Deadline deadline);

 private:
  // Appends what arrives before the deadline; false at the end of the stream or on
  // timeout.
  bool Fill(Deadline deadline);

  int fd_;
  std::string buffer_;
};

}  // namespace platform
