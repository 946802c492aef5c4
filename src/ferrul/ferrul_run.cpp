#include "ferrul/ferrul_run.h"

#include <sys/stat.h>

#include "ferrul/script_file.h"

namespace ferrul {

std::optional<Warning> CheckArguments(const std::vector<std::string>& args) {
  if (args.size() != 2) return Warning{std::string(kUsageMessage), std::string(kUsageTitle)};
  struct stat status {};
  if (::stat(args[0].c_str(), &status) != 0) {
    return Warning{"Input file " + args[0] + " does not exist", std::string(kInvalidFileTitle)};
  }
  return std::nullopt;
}

int RunFerrul(const std::vector<std::string>& args, const std::string& script_file, FerrulUi& ui,
              AwkRunner& awk) {
  if (std::optional<Warning> warning = CheckArguments(args)) {
    ui.ShowWarning(*warning);
    return kExitError;
  }
  std::string script = ReadScript(script_file);
  switch (ui.EditScript(script)) {
    case FerrulUi::EditResult::kConfirmed:
      break;
    case FerrulUi::EditResult::kCancelled:
      return kExitSuccess;
    case FerrulUi::EditResult::kFailed:
      return kExitError;
  }

  ui.BeginWait();
  // Stored before awk starts, so that a failing script is still remembered. A
  // script file that cannot be written is left as it was and awk runs the old one.
  WriteScript(script_file, script);
  const std::string& input = args[0];
  const std::string& output = args[1];
  AwkResult result = awk.Run(script_file, input, output);
  ui.EndWait();

  switch (result) {
    case AwkResult::kRan:
      return kExitSuccess;
    case AwkResult::kCannotStart:
      ui.ShowWarning({std::string(kAwkFailedMessage), std::string(kAwkFailedTitle)});
      return kExitError;
    case AwkResult::kInputUnreadable:
      ui.ShowWarning({"Input file " + input + " cannot be read", std::string(kInvalidFileTitle)});
      return kExitError;
    case AwkResult::kOutputUnwritable:
      ui.ShowWarning(
          {"Output file " + output + " cannot be written", std::string(kInvalidFileTitle)});
      return kExitError;
  }
  return kExitError;
}

}  // namespace ferrul
