#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>

#include "platform/interrupt_guard.h"

extern char** environ;

namespace platform {
namespace {

// How long an interrupted child may take to end after SIGTERM before SIGKILL.
constexpr int kTerminateGraceMs = 2000;

bool SharesForegroundTerminal(int show_state) {
  return show_state != kShowHidden && isatty(STDIN_FILENO) && tcgetpgrp(STDIN_FILENO) == getpgrp();
}

// True once `pid` has ended (and been reaped); false when `wake` became readable or
// InterruptGuard recorded a signal first, or after `timeout_ms` (-1: none).
bool WaitForChild(pid_t pid, int wake, int timeout_ms = -1) {
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms);
  bool ended = false;
  for (;;) {
    int status = 0;
    pid_t reaped = waitpid(pid, &status, WNOHANG);
    if (reaped == pid || (reaped < 0 && errno != EINTR)) {
      ended = true;
      break;
    }
    if (wake >= 0 && InterruptGuard::Received() != 0) break;
    int wait_ms = -1;
    if (timeout_ms >= 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                      deadline - std::chrono::steady_clock::now())
                      .count();
      if (left <= 0) break;
      wait_ms = static_cast<int>(left);
    }
    // Without a process descriptor (older kernels) the child is polled for.
    if (pidfd < 0) wait_ms = wait_ms < 0 ? 20 : std::min(wait_ms, 20);
    pollfd fds[2] = {{pidfd, POLLIN, 0}, {wake, POLLIN, 0}};
    poll(fds, 2, wait_ms);
  }
  if (pidfd >= 0) close(pidfd);
  return ended;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool EscapableInDoubleQuotes(char c) {
  return c == '$' || c == '`' || c == '"' || c == '\\' || c == '\n';
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;  // also true for a word that so far is only "" or ''
  std::size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (IsBlank(c)) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
      ++i;
    } else if (c == '\\') {
      if (i + 1 == line.size()) {
        word += '\\';
        in_word = true;
        ++i;
      } else if (line[i + 1] == '\n') {
        i += 2;
      } else {
        word += line[i + 1];
        in_word = true;
        i += 2;
      }
    } else if (c == '\'') {
      std::size_t close = line.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      word.append(line.substr(i + 1, close - i - 1));
      in_word = true;
      i = close + 1;
    } else if (c == '"') {
      in_word = true;
      ++i;
      for (;;) {
        if (i == line.size()) return std::nullopt;
        char d = line[i];
        if (d == '"') {
          ++i;
          break;
        }
        if (d == '\\' && i + 1 < line.size() && EscapableInDoubleQuotes(line[i + 1])) {
          if (line[i + 1] != '\n') word += line[i + 1];
          i += 2;
        } else {
          word += d;
          ++i;
        }
      }
    } else {
      word += c;
      in_word = true;
      ++i;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

bool PosixProcessRunner::RunAndWait(std::string_view command_line, int show_state) {
  std::optional<std::vector<std::string>> words = SplitCommandLine(command_line);
  if (!words || words->empty() || words->front().empty()) return false;
  if (InterruptGuard::Received() != 0) return false;
  std::vector<char*> argv;
  for (std::string& word : *words) argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return false;
  }
  bool prepared = true;
  if (show_state == kShowHidden) {
    prepared = posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0) == 0;
  }
  // A child of its own process group can be ended with everything it started. One
  // that is to use our terminal stays in our group, which is the terminal's
  // foreground group, so that it may read the terminal and Ctrl-C reaches it too.
  const bool own_group = !SharesForegroundTerminal(show_state);
  if (own_group) {
    prepared = prepared && posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP) == 0 &&
               posix_spawnattr_setpgroup(&attributes, 0) == 0;
  }
  pid_t pid = 0;
  int error =
      prepared ? posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ) : -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) return false;
  if (WaitForChild(pid, InterruptGuard::WakeDescriptor())) return true;
  // Interrupted: end the child (and, in its own group, whatever it started).
  kill(own_group ? -pid : pid, SIGTERM);
  if (!WaitForChild(pid, -1, kTerminateGraceMs)) {
    kill(own_group ? -pid : pid, SIGKILL);
    WaitForChild(pid, -1);
  }
  return false;
}

}  // namespace platform
