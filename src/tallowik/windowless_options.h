// The options of generation without a window:
//   tallowik PROJECT DIR --class NAME [--category TEXT] [--base TEXT]
//            [--resource TEXT] [--description TEXT] [--specific TEXT]
//            [--header FILE] [--source FILE] [--clw | --no-clw]
// An option's value is the next argument or follows "=" in the same one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tallowik/command_line.h"

namespace tallowik {

struct WindowlessOptions {
  std::string class_name;
  std::optional<std::string> category;
  std::optional<std::string> base_class;
  std::optional<std::string> resource;
  std::optional<std::string> description;
  std::optional<std::string> specific;
  std::optional<std::string> header;
  std::optional<std::string> source;
  std::optional<bool> add_to_clw;
};

struct ParsedCommandLine {
  // Every argument that is not an option or an option's value, "/N" included, for
  // the start-up checks.
  std::vector<std::string> positional;
  bool help = false;
  // Whether any "--" option was given: then no sheet is shown.
  bool windowless = false;
  WindowlessOptions options;
  // A usage problem (unknown option, missing value, no --class); empty when none.
  std::string usage_error;
};

ParsedCommandLine ParseCommandLine(Arguments args);

// What --help prints, and what a usage problem prints after its error.
extern const char kUsageText[];

}  // namespace tallowik
