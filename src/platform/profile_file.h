// Private-profile (INI) files: control files and the ClassWizard file.
//
// A file is lines ending in LF or CR LF (the last may lack one). "[Name]" starts a
// section; "key=value" lines belong to the section above them; lines starting with ";"
// are comments; other lines are ignored. Section and key names compare without regard
// to ASCII case, and blanks around names and values do not count. When a name occurs
// twice, the first section and the first key in it win.
//
// A write changes only the bytes of the value it writes (or adds the key at the end of
// its section, or the section at the end of the file) and replaces the file atomically.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// The value of `key` in `section`, with surrounding white space and then one matching
// pair of surrounding quotes ("..." or '...') removed, cut to `max_chars` characters;
// `default_value` (cut the same way, otherwise as given) when the file, section or key
// is absent or unreadable.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view default_value,
                              std::size_t max_chars = 259);

// `text` read as a number: leading blanks, an optional sign, then decimal digits or
// "0x" and hex digits; anything after the digits is ignored. Values beyond the int
// range give INT_MAX or INT_MIN. `default_value` when there are no digits.
int ParseProfileInt(std::string_view text, int default_value);

// The value (read with at most 259 characters) as ParseProfileInt reads it;
// `default_value` when absent or not a number.
int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int default_value);

// Writes (replaces or adds) one value; creates the file when missing. A value with
// blanks at an end, or one that a read would unquote, is written in double quotes, so
// that a read gives it back unchanged. Returns false, leaving the file as it was, when
// the file cannot be read or replaced, or when the write would break the file's lines:
// a line break in any argument, an empty section or key, "]" in the section, "=" in
// the key, or a key starting with ";" or "[".
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// The key names of `section` ("key=value" lines only), in file order, each once;
// empty when absent.
std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section);

// The "key=value" entries of `section` in file order, each key once (its first
// line), with the values ReadProfileString would give, not cut to a length. One pass
// over the file, for callers that look up many keys of one section.
std::vector<std::pair<std::string, std::string>> ReadProfileSection(const std::string& path,
                                                                    std::string_view section);

// The section names of the file, in file order, each once.
std::vector<std::string> ReadProfileSections(const std::string& path);

}  // namespace platform
