#include "platform/wayland_clipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {
namespace {

long long NowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

}  // namespace

bool FoundOnPath(const std::string& program, const std::string& path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    std::string dir = path.substr(start, end - start);
    std::string file = (dir.empty() ? std::string(".") : dir) + "/" + program;
    struct stat st;
    if (stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(file.c_str(), X_OK) == 0) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

CapturedRun RunWithTimeout(const std::vector<std::string>& words, const std::string& input,
                           bool capture, int timeout_ms) {
  CapturedRun result;
  if (words.empty()) return result;
  int in_pipe[2], out_pipe[2] = {-1, -1}, exec_pipe[2];
  if (pipe2(in_pipe, O_CLOEXEC) != 0) return result;
  if (capture && pipe2(out_pipe, O_CLOEXEC) != 0) {
    close(in_pipe[0]);
    close(in_pipe[1]);
    return result;
  }
  if (pipe2(exec_pipe, O_CLOEXEC) != 0) return result;
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    int null_fd = open("/dev/null", O_RDWR);
    dup2(in_pipe[0], 0);
    dup2(capture ? out_pipe[1] : null_fd, 1);
    dup2(null_fd, 2);
    execvp(argv[0], argv.data());
    char failed = 1;
    (void)!write(exec_pipe[1], &failed, 1);
    _exit(127);
  }
  close(in_pipe[0]);
  close(exec_pipe[1]);
  if (capture) close(out_pipe[1]);
  if (pid < 0) {
    close(in_pipe[1]);
    close(exec_pipe[0]);
    if (capture) close(out_pipe[0]);
    return result;
  }
  char failed = 0;
  bool exec_failed = read(exec_pipe[0], &failed, 1) == 1;
  close(exec_pipe[0]);

  // Feed the input and drain the output together, so neither side blocks.
  signal(SIGPIPE, SIG_IGN);
  fcntl(in_pipe[1], F_SETFL, O_NONBLOCK);
  std::size_t written = 0;
  int in_fd = in_pipe[1];
  if (input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  int out_fd = capture ? out_pipe[0] : -1;
  long long deadline = NowMs() + timeout_ms;
  bool timed_out = false;
  while (in_fd >= 0 || out_fd >= 0) {
    long long left = deadline - NowMs();
    if (left <= 0) {
      timed_out = true;
      break;
    }
    pollfd fds[2];
    int n = 0;
    if (in_fd >= 0) fds[n++] = {in_fd, POLLOUT, 0};
    if (out_fd >= 0) fds[n++] = {out_fd, POLLIN, 0};
    int ready = poll(fds, n, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) break;
    for (int i = 0; i < n; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == in_fd) {
        ssize_t w = write(in_fd, input.data() + written, input.size() - written);
        if (w > 0) written += static_cast<std::size_t>(w);
        if (w < 0 && errno != EAGAIN && errno != EINTR) written = input.size();
        if (written == input.size()) {
          close(in_fd);
          in_fd = -1;
        }
      } else {
        char buffer[65536];
        ssize_t r = read(out_fd, buffer, sizeof buffer);
        if (r > 0) {
          result.out.append(buffer, static_cast<std::size_t>(r));
        } else if (r == 0 || (errno != EAGAIN && errno != EINTR)) {
          close(out_fd);
          out_fd = -1;
        }
      }
    }
  }
  if (in_fd >= 0) close(in_fd);
  if (out_fd >= 0) close(out_fd);
  int status = 0;
  while (!timed_out) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return result;
    if (NowMs() >= deadline)
      timed_out = true;
    else
      usleep(2000);
  }
  if (timed_out) {
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return result;
  }
  if (!exec_failed && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}

std::optional<std::vector<std::string>> WlClipboardTransport::Targets() {
  CapturedRun run = RunWithTimeout({"wl-paste", "--list-types"}, "", true, timeout_ms_);
  if (run.exit_code != 0) return std::nullopt;
  std::vector<std::string> targets;
  std::size_t start = 0;
  while (start < run.out.size()) {
    std::size_t end = run.out.find('\n', start);
    if (end == std::string::npos) end = run.out.size();
    if (end > start) targets.push_back(run.out.substr(start, end - start));
    start = end + 1;
  }
  return targets;
}

std::optional<std::string> WlClipboardTransport::Read(std::string_view target) {
  CapturedRun run = RunWithTimeout({"wl-paste", "--no-newline", "--type", std::string(target)}, "",
                                   true, timeout_ms_);
  if (run.exit_code != 0) return std::nullopt;
  return std::move(run.out);
}

bool WlClipboardTransport::Publish(const std::vector<SelectionOffer>& offers) {
  // wl-copy offers a single type: the text when there is one, else the first offer.
  const SelectionOffer* chosen = &offers.front();
  for (const SelectionOffer& offer : offers) {
    if (!offer.targets.empty() && offer.targets.front() == TextTargets().front()) chosen = &offer;
  }
  std::string type =
      chosen->targets.empty() ? std::string("text/plain;charset=utf-8") : chosen->targets.front();
  if (type == TextTargets().front()) type = "text/plain;charset=utf-8";
  CapturedRun run = RunWithTimeout({"wl-copy", "--type", type}, chosen->bytes, false, timeout_ms_);
  return run.exit_code == 0;
}

}  // namespace platform
