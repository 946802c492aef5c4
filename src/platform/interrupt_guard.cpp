#include "platform/interrupt_guard.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

int depth = 0;
volatile std::sig_atomic_t received = 0;
int wake_pipe[2] = {-1, -1};
struct sigaction saved[std::size(kSignals)];
bool installed[std::size(kSignals)];

void Record(int signal_number) {
  const int saved_errno = errno;
  if (received == 0) received = signal_number;
  if (wake_pipe[1] >= 0) (void)!write(wake_pipe[1], "x", 1);
  errno = saved_errno;
}

}  // namespace

InterruptGuard::InterruptGuard() {
  if (depth++ > 0) return;
  received = 0;
  if (pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) wake_pipe[0] = wake_pipe[1] = -1;
  struct sigaction action {};
  action.sa_handler = &Record;
  sigemptyset(&action.sa_mask);
  for (int signal_number : kSignals) sigaddset(&action.sa_mask, signal_number);
  // No SA_RESTART: a blocking call returns EINTR, so its caller sees the request.
  action.sa_flags = 0;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    installed[i] = false;
    if (sigaction(kSignals[i], nullptr, &saved[i]) != 0) continue;
    // An ignored signal stays ignored (e.g. SIGHUP under nohup).
    if (saved[i].sa_handler == SIG_IGN) continue;
    installed[i] = sigaction(kSignals[i], &action, nullptr) == 0;
  }
}

InterruptGuard::~InterruptGuard() {
  if (--depth > 0) return;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    if (installed[i]) sigaction(kSignals[i], &saved[i], nullptr);
  }
  for (int& fd : wake_pipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
  received = 0;
}

int InterruptGuard::Received() { return depth > 0 ? static_cast<int>(received) : 0; }

int InterruptGuard::WakeDescriptor() { return depth > 0 ? wake_pipe[0] : -1; }

}  // namespace platform
