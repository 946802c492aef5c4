// tallowik's command line and the checks made before any window is shown: the project
// name and directory, the "/N" switch, and the change into the project directory.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tallowik/messages.h"

namespace tallowik {

using Arguments = std::span<const std::string>;

inline constexpr std::string_view kSyntaxMessage =
    "Tallowick Sytnax:\n TALLOWIK ProjectName ProjectDirectory /N[o Check for extension]";

struct ProjectArguments {
  std::string project_name;       // after the extension rule
  std::string project_directory;  // as given
};

// The arguments after the program name. "/N" (exactly, as a whole argument) keeps
// the project name whole and is not a positional argument; otherwise the project name
// is cut at its first ".". The first two other arguments are the project name and
// directory; further ones are ignored. nullopt when there are fewer than two.
std::optional<ProjectArguments> ParseArguments(Arguments args);

// The checks of start-up, each ending the program after its message:
//   fewer than two arguments: kSyntaxMessage;
//   the directory does not exist, is no directory, or is not both readable and
//   writable: "Project directory <dir> does not exist!";
//   it cannot be made the current directory: "Unable to change to Project directory
//   <dir>!".
// On success the current directory is the project directory.
std::optional<ProjectArguments> CheckCommandLine(Arguments args, MessageSink& messages);

// The ClassWizard file of the project: its name followed by ".clw", as a full path
// relative to the current directory.
std::string ClassWizardFileName(std::string_view project_name);

}  // namespace tallowik
