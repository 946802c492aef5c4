// Open requests on a desktop: instead of asking an IDE over DDE, the setting
// "Open Command Line" of "Desktop" is run with "$_File" standing for the path.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ide_link.h"

namespace config {
class Settings;
}

namespace platform {

inline constexpr std::string_view kDefaultOpenCommandLine = "xdg-open $_File";

// The path of an open request's data, OPEN ("<path>"); nullopt for other data.
std::optional<std::string> PathOfOpenCommand(std::string_view data);

// Takes the IDE's open request and starts the open command line without waiting for
// it. Any other execute request is refused. A command that does not split or cannot
// start is a refused request.
class OpenCommandClient : public DdeClient {
 public:
  // `settings` may be null: the default command line.
  explicit OpenCommandClient(const config::Settings* settings) : settings_(settings) {}

  bool Execute(std::string_view service, std::string_view topic, std::string_view data) override;

  // The command line that opens `path`, as it is split and started.
  std::string CommandLineFor(std::string_view path) const;

 private:
  const config::Settings* settings_;
};

// Starts `words` (the first looked up on PATH) detached from this process, its
// standard input from /dev/null; false when it cannot start. No child is left to reap.
bool StartDetached(const std::vector<std::string>& words);

}  // namespace platform
