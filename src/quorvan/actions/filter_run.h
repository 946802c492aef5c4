// Running an external filter over a text: the text goes to a temporary input file,
// the command line is built from a template with the filter command and the two file
// names, the command runs to its end, and the temporary output file is the result.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "platform/process.h"
#include "quorvan/actions/filter_request.h"

namespace quorvan {

inline constexpr std::string_view kRedirectCommandLine = "Redirect Command Line";
inline constexpr std::string_view kFileCommandLine = "File Command Line";
// The redirect template needs a shell for its "<" and ">".
inline constexpr std::string_view kDefaultRedirectCommandLine =
    "sh -c \"$_Filter < $_Input > $_Output\"";
inline constexpr std::string_view kDefaultFileCommandLine = "$_Filter $_Input $_Output";

// The directory of the temporary files: $TMPDIR, or /tmp when it is unset or empty.
std::string TemporaryDirectory();

// The command line for `request`: the "Redirect Command Line" (type 0) or "File
// Command Line" (type 1) of the configuration, or the command itself (type 2), with
// every "$_Input", "$_Output" and "$_Filter" replaced in one pass (so placeholders
// within the command are replaced only when it is the template itself). Each is
// inserted so that the template's quoting keeps it exactly: the file names as one
// shell word each, the command as typed (platform::ExpandCommandTemplate).
std::string FilterCommandLine(const config::Settings& settings, const FilterRequest& request,
                              std::string_view input_name, std::string_view output_name);

// Writes `input` (no terminating zero, no conversion) to a new temporary file, runs
// the command line with the request's show state and returns the output file's text
// up to its first zero byte. nullopt when a temporary file cannot be made or written,
// the command cannot be started, or the output is missing, empty or unreadable; a
// filter's exit status does not count. Both temporary files are gone on return.
// A SIGINT, SIGTERM or SIGHUP while it works ends the filter and gives nullopt.
std::optional<std::string> RunFilter(const config::Settings& settings,
                                     platform::ProcessRunner& processes,
                                     const FilterRequest& request, std::string_view input);

}  // namespace quorvan
