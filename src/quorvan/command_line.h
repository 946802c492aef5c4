// quorvan's command line. A switch is a whole argument, "/" or "-" and its letter or
// digit in any case ("/0", "-f", "/H"). "/F" and "/E" take a value: the rest of
// the same argument ("/Fmain.cpp") or else the next argument, which keeps its case
// and is not itself looked at as a switch. Other arguments are ignored.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quorvan {

using Arguments = std::span<const std::string>;

// The lowest digit among the action switches "/0" to "/9"; -1 when there is none.
int ActionFromCommandLine(Arguments args);

// The value of the first occurrence of `switch_text` ("/F" or "/E"): true and
// `value` set (empty when the switch is the last argument); false, with `value`
// unchanged, when the switch is absent.
bool SwitchArgument(Arguments args, std::string_view switch_text, std::string& value);

// Whether a flag switch ("/B", "/L", "/H", "/3") is present.
bool HasSwitch(Arguments args, std::string_view switch_text);

// Whether `option` ("--filter") is a whole argument, in any case, that is not the
// value of "/F" or "/E".
bool HasLongOption(Arguments args, std::string_view option);

// Filter types of the external filter.
inline constexpr int kRedirectFilter = 0;
inline constexpr int kFileFilter = 1;
inline constexpr int kLiteralFilter = 2;

// What the actions read from the command line.
struct CommandLineValues {
  int action = -1;
  std::string file_name = "Unknown";  // "/F"
  bool has_filter_command = false;    // "/E" given
  std::string filter_command;
  int filter_type = kRedirectFilter;  // "/B" file based, "/L" literal (wins over "/B")
  int show_state = 1;                 // "/H" hidden: 0
  // "--filter": the selection comes from standard input and the result goes to
  // standard output.
  bool filter = false;
};

// With "/L" the filter command is unquoted by engine::RemoveQuotes (a command
// without both quotes stays as it is).
CommandLineValues ReadCommandLine(Arguments args);

}  // namespace quorvan
