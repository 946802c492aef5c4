#include "quorvan/command_line.h"

#include <functional>
#include <optional>

#include "engine/text_ops.h"

namespace quorvan {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool TakesValue(char letter) { return letter == 'F' || letter == 'E'; }

// The switch letter of `switch_text` ("/F" -> 'F'); 0 when it is not one.
char SwitchLetter(std::string_view switch_text) {
  if (switch_text.size() != 2 || (switch_text[0] != '/' && switch_text[0] != '-')) return 0;
  return Upper(switch_text[1]);
}

// Calls `visit` with each switch's letter (upper case) and, for "/F" and "/E", its
// value, until `visit` returns true.
void ScanSwitches(Arguments args,
                  const std::function<bool(char letter, std::string_view value)>& visit) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) continue;
    char letter = Upper(arg[1]);
    if (TakesValue(letter)) {
      std::string_view value;
      if (arg.size() > 2) {
        value = arg.substr(2);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      }
      if (visit(letter, value)) return;
    } else if (arg.size() == 2) {
      if (visit(letter, {})) return;
    }
  }
}

}  // namespace

int ActionFromCommandLine(Arguments args) {
  int action = -1;
  ScanSwitches(args, [&](char letter, std::string_view) {
    if (letter >= '0' && letter <= '9' && (action < 0 || letter - '0' < action)) {
      action = letter - '0';
    }
    return false;
  });
  return action;
}

bool SwitchArgument(Arguments args, std::string_view switch_text, std::string& value) {
  char wanted = SwitchLetter(switch_text);
  if (!TakesValue(wanted)) return false;
  bool found = false;
  ScanSwitches(args, [&](char letter, std::string_view switch_value) {
    if (letter != wanted) return false;
    value.assign(switch_value);
    found = true;
    return true;
  });
  return found;
}

bool HasSwitch(Arguments args, std::string_view switch_text) {
  char wanted = SwitchLetter(switch_text);
  if (wanted == 0) return false;
  bool found = false;
  ScanSwitches(args, [&](char letter, std::string_view) {
    found = letter == wanted;
    return found;
  });
  return found;
}

bool HasLongOption(Arguments args, std::string_view option) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg.size() == 2 && (arg[0] == '/' || arg[0] == '-') && TakesValue(Upper(arg[1]))) {
      ++i;  // the next argument is the switch's value
      continue;
    }
    if (arg.size() != option.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < arg.size() && same; ++k) same = Upper(arg[k]) == Upper(option[k]);
    if (same) return true;
  }
  return false;
}

CommandLineValues ReadCommandLine(Arguments args) {
  CommandLineValues values;
  values.action = ActionFromCommandLine(args);
  SwitchArgument(args, "/F", values.file_name);
  values.has_filter_command = SwitchArgument(args, "/E", values.filter_command);
  if (HasSwitch(args, "/L")) {
    values.filter_type = kLiteralFilter;
    if (values.has_filter_command) engine::RemoveQuotes(values.filter_command);
  } else if (HasSwitch(args, "/B")) {
    values.filter_type = kFileFilter;
  }
  if (HasSwitch(args, "/H")) values.show_state = 0;
  values.filter = HasLongOption(args, "--filter");
  return values;
}

}  // namespace quorvan
