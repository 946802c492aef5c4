// ferrul's only state: the awk script of the last confirmed run, kept in a file
// beside the program.
#pragma once

#include <string>
#include <string_view>

namespace ferrul {

// The script file of the program at `program_path`: the text after the last "." of
// the file name (not of a directory) replaced by "awk", or ".awk" added when the
// file name has no "." (a leading "." only marks a hidden file).
// "/opt/p/ferrul" -> "/opt/p/ferrul.awk".
std::string ScriptFileName(std::string_view program_path);

// The script text up to its first zero byte; empty when the file is missing,
// unreadable or a directory.
std::string ReadScript(const std::string& path);

// Replaces the script file with `text`, whole or not at all (a symbolic link is
// followed). False when it cannot be written.
bool WriteScript(const std::string& path, std::string_view text);

}  // namespace ferrul
