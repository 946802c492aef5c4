// One section of a private-profile (INI) file read in a single pass and indexed by
// key, for callers that look up many keys of one section (the class list of a large
// ClassWizard file): reading each key with platform::ReadProfileString would scan
// the file once per key.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tallowik {

class ProfileSection {
 public:
  // The first section named `section` of the file; empty when the file or the
  // section is missing or the file is unreadable.
  static ProfileSection Read(const std::string& path, std::string_view section);

  // The keys in file order, each once, with their values as read (not cut).
  const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }

  // The value of `key` cut to `max_chars` characters, or `default_value` (cut the same
  // way) when the key is absent: what ReadProfileString gives for this section.
  std::string Value(std::string_view key, std::string_view default_value,
                    std::size_t max_chars) const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
  std::unordered_map<std::string, std::size_t> index_;  // by folded key name
};

}  // namespace tallowik
