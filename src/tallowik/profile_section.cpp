#include "tallowik/profile_section.h"

#include "config/key_names.h"
#include "platform/profile_file.h"

namespace tallowik {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

ProfileSection ProfileSection::Read(const std::string& path, std::string_view section) {
  ProfileSection result;
  result.entries_ = platform::ReadProfileSection(path, section);
  for (std::size_t i = 0; i < result.entries_.size(); ++i) {
    result.index_.emplace(config::FoldName(result.entries_[i].first), i);
  }
  return result;
}

std::string ProfileSection::Value(std::string_view key, std::string_view default_value,
                                  std::size_t max_chars) const {
  auto it = index_.find(config::FoldName(TrimBlanks(key)));
  std::string_view value = it == index_.end() ? default_value : entries_[it->second].second;
  return std::string(value.substr(0, max_chars));
}

}  // namespace tallowik
