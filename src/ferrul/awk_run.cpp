#include "ferrul/awk_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace ferrul {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The file that writing `path` really changes: a symbolic link's target.
std::string ResolvedOutput(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved)) return resolved;
  return path;
}

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Starts `argv` with standard input and output on the two descriptors and waits for
// it; false when it cannot start.
bool SpawnAndWait(const std::vector<std::string>& args, int input_fd, int output_fd) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input_fd, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output_fd, STDOUT_FILENO);
  pid_t pid = -1;
  int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace

std::vector<std::string> AwkArguments(const std::string& program, const std::string& script_file) {
  return {program, "-f", script_file};
}

AwkResult PosixAwkRunner::Run(const std::string& script_file, const std::string& input_file,
                              const std::string& output_file) {
  FileDescriptor input(::open(input_file.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat input_status {};
  if (input.get() < 0 || ::fstat(input.get(), &input_status) != 0 ||
      S_ISDIR(input_status.st_mode)) {
    return AwkResult::kInputUnreadable;
  }

  const std::string target = ResolvedOutput(output_file);
  struct stat output_status {};
  const bool output_exists = ::stat(target.c_str(), &output_status) == 0;
  if (output_exists && S_ISDIR(output_status.st_mode)) return AwkResult::kOutputUnwritable;

  std::string temporary = DirectoryOf(target) + "/." + NameOf(target) + ".XXXXXX";
  FileDescriptor output(::mkostemp(temporary.data(), O_CLOEXEC));
  if (output.get() >= 0) {
    ::fchmod(output.get(), output_exists ? (output_status.st_mode & 07777) : NewFileMode());
  } else {
    temporary.clear();
    if (output_exists && output_status.st_dev == input_status.st_dev &&
        output_status.st_ino == input_status.st_ino) {
      // Truncating it would destroy the input before awk reads it.
      return AwkResult::kOutputUnwritable;
    }
    output.Reset(::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (output.get() < 0) return AwkResult::kOutputUnwritable;
  }

  if (!SpawnAndWait(AwkArguments(program_, script_file), input.get(), output.get())) {
    if (!temporary.empty()) ::unlink(temporary.c_str());
    return AwkResult::kCannotStart;
  }
  if (!temporary.empty() && std::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return AwkResult::kOutputUnwritable;
  }
  return AwkResult::kRan;
}

}  // namespace ferrul
