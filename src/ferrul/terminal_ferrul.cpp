#include "ferrul/terminal_ferrul.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <vector>

#include "ferrul/script_file.h"
#include "platform/atomic_file.h"
#include "platform/process.h"

extern char** environ;

namespace ferrul {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// Runs `args` with the terminal's streams and returns its exit status; nullopt when
// it cannot start or does not exit normally.
std::optional<int> RunEditor(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    return std::nullopt;
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return std::nullopt;
  }
  if (!WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class TemporaryCopy {
 public:
  TemporaryCopy() {
    std::string directory = Variable("TMPDIR");
    if (directory.empty()) directory = "/tmp";
    path_ = directory + "/ferrul-XXXXXX.awk";
    int fd = ::mkstemps(path_.data(), 4);
    if (fd < 0) {
      path_.clear();
    } else {
      ::close(fd);
    }
  }
  ~TemporaryCopy() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryCopy(const TemporaryCopy&) = delete;
  TemporaryCopy& operator=(const TemporaryCopy&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

std::string EditorCommand() {
  std::string editor = Variable("VISUAL");
  if (editor.empty()) editor = Variable("EDITOR");
  if (editor.empty()) editor = "vi";
  return editor;
}

void TerminalFerrulUi::ShowWarning(const Warning& warning) {
  platform::WriteAll(output_fd_, warning.title + ": " + warning.text + "\n");
}

FerrulUi::EditResult TerminalFerrulUi::EditScript(std::string& script) {
  TemporaryCopy copy;
  if (copy.path().empty() || !WriteScript(copy.path(), script)) {
    platform::WriteAll(output_fd_, "ferrul: cannot make a temporary copy of the script\n");
    return EditResult::kFailed;
  }
  const std::string editor = EditorCommand();
  // An editor setting may carry arguments ("emacs -nw"); it is split as a shell would.
  std::optional<std::vector<std::string>> args = platform::SplitCommandLine(editor);
  if (!args || args->empty()) {
    platform::WriteAll(output_fd_, "ferrul: cannot start the editor " + editor + "\n");
    return EditResult::kFailed;
  }
  args->push_back(copy.path());
  std::optional<int> status = RunEditor(*args);
  if (!status) {
    platform::WriteAll(output_fd_, "ferrul: cannot start the editor " + editor + "\n");
    return EditResult::kFailed;
  }
  if (*status != 0) return EditResult::kCancelled;
  script = ReadScript(copy.path());
  return EditResult::kConfirmed;
}

}  // namespace ferrul
