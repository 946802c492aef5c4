// One run of ferrul: check the command line, let the user confirm or edit the
// remembered script, store it and run awk over the input file into the output file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ferrul/awk_run.h"

namespace ferrul {

inline constexpr std::string_view kDialogTitle = "Ferrule";
inline constexpr std::string_view kUsageMessage = "Usage:  FERRUL.EXE infile outfile";
inline constexpr std::string_view kUsageTitle = "Ferrule - Invalid Command Line";
inline constexpr std::string_view kInvalidFileTitle = "Ferrule - Invalid File";
inline constexpr std::string_view kAwkFailedMessage = "AWK command interpreter failed";
inline constexpr std::string_view kAwkFailedTitle = "Ferrule - invalid command";
inline constexpr std::string_view kAboutTitle = "About Ferrule";
inline constexpr std::string_view kAboutText = "Ferrule Version 1.0";

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitError = 1;

struct Warning {
  std::string text;
  std::string title;
  bool operator==(const Warning&) const = default;
};

// The warning that ends the run before the dialog: a count of arguments other than
// two, or an input file that does not exist. nullopt when the run may go on.
std::optional<Warning> CheckArguments(const std::vector<std::string>& args);

class FerrulUi {
 public:
  enum class EditResult { kConfirmed, kCancelled, kFailed };

  virtual ~FerrulUi() = default;
  // A message with a warning icon and the caption `title`.
  virtual void ShowWarning(const Warning& warning) = 0;
  // Shows `script` for editing; on kConfirmed it holds the text to run. kFailed when
  // the editing itself could not be offered (after its own message).
  virtual EditResult EditScript(std::string& script) = 0;
  // The wait cursor while awk runs.
  virtual void BeginWait() = 0;
  virtual void EndWait() = 0;
};

// The whole run; returns the exit status (kExitError after any warning).
int RunFerrul(const std::vector<std::string>& args, const std::string& script_file, FerrulUi& ui,
              AwkRunner& awk);

}  // namespace ferrul
