#include "platform/open_command.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "config/settings.h"
#include "platform/command_template.h"
#include "platform/process.h"

extern char** environ;

namespace platform {

std::optional<std::string> PathOfOpenCommand(std::string_view data) {
  constexpr std::string_view kPrefix = "OPEN (\"";
  constexpr std::string_view kSuffix = "\")";
  if (data.size() < kPrefix.size() + kSuffix.size() || !data.starts_with(kPrefix) ||
      !data.ends_with(kSuffix)) {
    return std::nullopt;
  }
  return std::string(data.substr(kPrefix.size(), data.size() - kPrefix.size() - kSuffix.size()));
}

std::string OpenCommandClient::CommandLineFor(std::string_view path) const {
  std::string line =
      settings_ ? settings_->ReadSetting("Desktop", "Open Command Line", kDefaultOpenCommandLine)
                : std::string(kDefaultOpenCommandLine);
  const std::array<TemplateValue, 1> values{{{"$_File", path, true}}};
  return ExpandCommandTemplate(line, values);
}

bool OpenCommandClient::Execute(std::string_view service, std::string_view topic,
                                std::string_view data) {
  std::optional<std::string> path = PathOfOpenCommand(data);
  if (!path) return false;
  std::optional<std::vector<std::string>> words = SplitCommandLine(CommandLineFor(*path));
  if (!words || words->empty()) return false;
  return StartDetached(*words);
}

bool StartDetached(const std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  // The middle child starts the command and ends at once, so the command is nobody's
  // child to reap; its exit status says whether the command started.
  pid_t middle = fork();
  if (middle < 0) return false;
  if (middle == 0) {
    setsid();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    _exit(rc == 0 ? 0 : 127);
  }
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
