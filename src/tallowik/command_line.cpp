#include "tallowik/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "tallowik/paths.h"

namespace tallowik {
namespace {

constexpr std::string_view kKeepExtension = "/N";

bool IsReadableWritableDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         access(path.c_str(), R_OK | W_OK) == 0;
}

}  // namespace

std::optional<ProjectArguments> ParseArguments(Arguments args) {
  bool keep_extension = false;
  std::vector<const std::string*> positional;
  for (const std::string& arg : args) {
    if (arg == kKeepExtension) {
      keep_extension = true;
    } else {
      positional.push_back(&arg);
    }
  }
  if (positional.size() < 2) return std::nullopt;
  ProjectArguments result{*positional[0], *positional[1]};
  if (!keep_extension) {
    result.project_name = result.project_name.substr(0, result.project_name.find('.'));
  }
  return result;
}

std::optional<ProjectArguments> CheckCommandLine(Arguments args, MessageSink& messages) {
  std::optional<ProjectArguments> project = ParseArguments(args);
  if (!project) {
    messages.ShowMessage(kSyntaxMessage);
    return std::nullopt;
  }
  const std::string& directory = project->project_directory;
  const bool usable = directory.find('\0') == std::string::npos;
  if (!usable || !IsReadableWritableDirectory(directory)) {
    messages.ShowMessage("Project directory " + directory + " does not exist!");
    return std::nullopt;
  }
  if (chdir(directory.c_str()) != 0) {
    messages.ShowMessage("Unable to change to Project directory " + directory + "!");
    return std::nullopt;
  }
  return project;
}

std::string ClassWizardFileName(std::string_view project_name) {
  return MakeFullPath(std::string(project_name) + ".clw");
}

}  // namespace tallowik
