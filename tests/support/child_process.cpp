#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace testing_support {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> ChildEnvironment(const EnvironmentChanges& changes) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    std::string text = *entry;
    std::string name = text.substr(0, text.find('='));
    if (changes.count(name) == 0) env.push_back(text);
  }
  for (const auto& [name, value] : changes) {
    if (value) env.push_back(name + "=" + *value);
  }
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Forks and execs `program`; the child's standard streams become the three
// descriptors (closed in the parent afterwards by the caller).
pid_t Spawn(const std::string& program, const std::vector<std::string>& args,
            const EnvironmentChanges& changes, int in, int out, int err) {
  std::vector<std::string> argv_texts{program};
  argv_texts.insert(argv_texts.end(), args.begin(), args.end());
  std::vector<std::string> env_texts = ChildEnvironment(changes);
  std::vector<char*> argv = Pointers(argv_texts);
  std::vector<char*> envp = Pointers(env_texts);
  pid_t pid = fork();
  if (pid == 0) {
    setsid();
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    execve(program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  return pid;
}

int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

}  // namespace

std::string BuiltProgram(const std::string& name) {
  const char* dir = std::getenv("BRK_BIN_DIR");
  return std::string(dir && *dir ? dir : ".") + "/" + name;
}

std::string ShippedDataDirectory() { return BRK_SHIPPED_DATA_DIR; }

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const EnvironmentChanges& env, const std::string& input, int timeout_ms) {
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0) return {};
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return {};
  pid_t pid = Spawn(program, args, env, in[0], out[1], err[1]);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  ProgramResult result;
  if (pid < 0) {
    close(in[1]);
    close(out[0]);
    close(err[0]);
    return result;
  }
  signal(SIGPIPE, SIG_IGN);
  std::size_t written = 0;
  if (input.empty()) {
    close(in[1]);
    in[1] = -1;
  }
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  bool killed = false;
  while (out[0] >= 0 || err[0] >= 0) {
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
    int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    if (left <= 0 || poll(fds, 3, left) == 0) {
      kill(pid, SIGKILL);
      killed = true;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      int& fd = i == 0 ? out[0] : err[0];
      if (fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fd);
        fd = -1;
      }
    }
    if (in[1] >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
      ssize_t n = write(in[1], input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n < 0 || written == input.size()) {
        close(in[1]);
        in[1] = -1;
      }
    }
  }
  for (int fd : {in[1], out[0], err[0]}) {
    if (fd >= 0) close(fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_code = killed ? -1 : ExitCode(status);
  return result;
}

BackgroundProgram::~BackgroundProgram() { Stop(); }

BackgroundProgram::BackgroundProgram(BackgroundProgram&& other) noexcept : pid_(other.pid_) {
  other.pid_ = -1;
}

bool BackgroundProgram::Start(const std::string& program, const std::vector<std::string>& args,
                              const EnvironmentChanges& env, const std::string& ready_line,
                              int timeout_ms) {
  Stop();
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return false;
  int null_fd = open("/dev/null", O_RDWR | O_CLOEXEC);
  pid_ = Spawn(program, args, env, null_fd, out[1], 2);
  close(null_fd);
  close(out[1]);
  std::string seen;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  bool ready = false;
  while (pid_ > 0 && !ready) {
    pollfd fd{out[0], POLLIN, 0};
    int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    if (left <= 0 || poll(&fd, 1, left) <= 0) break;
    char buffer[256];
    ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    seen.append(buffer, static_cast<std::size_t>(n));
    ready = seen.find(ready_line + "\n") != std::string::npos;
  }
  close(out[0]);
  if (!ready) Stop();
  return ready;
}

void BackgroundProgram::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace testing_support
