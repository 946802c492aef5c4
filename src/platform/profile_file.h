// Private-profile (INI) files: control files and the ClassWizard file.
// Section and key names ignore case. A write changes only the bytes of the value it
// writes (or adds the key at the end of its section, or the section at the end of
// the file) and replaces the file atomically.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The value of `key` in `section`, with surrounding white space removed, cut to
// `max_chars` characters; `default_value` when the file, section or key is absent.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view default_value,
                              std::size_t max_chars = 259);

// The value read as a decimal number (leading digits, optional sign);
// `default_value` when absent or not a number.
int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int default_value);

// Writes (replaces or adds) one value; creates the file when missing.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// The key names of `section`, in file order; empty when absent.
std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section);

// The section names of the file, in file order.
std::vector<std::string> ReadProfileSections(const std::string& path);

}  // namespace platform
