#include "tallowik/windowless_options.h"

namespace tallowik {

const char kUsageText[] =
    "Usage: tallowik PROJECT DIR [/N]\n"
    "           shows the sheet on which a new class is described (needs a display)\n"
    "       tallowik PROJECT DIR [/N] --class NAME [options]\n"
    "           generates the class without a window, as if NAME were typed on the\n"
    "           Generator page and OK pressed\n"
    "\n"
    "PROJECT is the project's name (cut at its first \".\" unless /N is given), DIR its\n"
    "directory, where the files and the ClassWizard file PROJECT.clw are written.\n"
    "\n"
    "Options (each replaces what the page would show):\n"
    "  --class NAME          the class name; the file names follow from it\n"
    "  --category TEXT       the first base class category beginning with TEXT\n"
    "                        (default: the one last used in this project, else the first)\n"
    "  --base TEXT           the base class\n"
    "  --resource TEXT       the resource identifier\n"
    "  --description TEXT    the class description\n"
    "  --specific TEXT       the class-specific string\n"
    "  --header FILE         the header file, as given\n"
    "  --source FILE         the implementation file, as given\n"
    "  --clw, --no-clw       register the class in the ClassWizard file, or not\n"
    "  --help                this text\n";

namespace {

struct TextOption {
  std::string_view name;
  std::optional<std::string> WindowlessOptions::*field;
};

const TextOption kTextOptions[] = {
    {"--category", &WindowlessOptions::category},
    {"--base", &WindowlessOptions::base_class},
    {"--resource", &WindowlessOptions::resource},
    {"--description", &WindowlessOptions::description},
    {"--specific", &WindowlessOptions::specific},
    {"--header", &WindowlessOptions::header},
    {"--source", &WindowlessOptions::source},
};

}  // namespace

ParsedCommandLine ParseCommandLine(Arguments args) {
  ParsedCommandLine parsed;
  bool has_class = false;
  auto fail = [&parsed](std::string message) {
    if (parsed.usage_error.empty()) parsed.usage_error = std::move(message);
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--help") {
      parsed.help = true;
      continue;
    }
    parsed.windowless = true;
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (name == "--clw" || name == "--no-clw") {
      if (equals != std::string::npos) {
        fail(name + " takes no value");
      } else if (parsed.options.add_to_clw) {
        fail("--clw and --no-clw exclude each other");
      } else {
        parsed.options.add_to_clw = name == "--clw";
      }
      continue;
    }
    std::optional<std::string> value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    }
    const TextOption* option = nullptr;
    for (const TextOption& candidate : kTextOptions) {
      if (candidate.name == name) option = &candidate;
    }
    if (name != "--class" && !option) {
      fail("unknown option " + name);
      if (equals == std::string::npos && value) --i;  // the next argument was no value
      continue;
    }
    if (!value) {
      fail(name + " needs a value");
      continue;
    }
    if (name == "--class") {
      parsed.options.class_name = std::move(*value);
      has_class = true;
    } else {
      parsed.options.*(option->field) = std::move(*value);
    }
  }
  if (parsed.windowless && !has_class) fail("the options need --class NAME");
  return parsed;
}

}  // namespace tallowik
