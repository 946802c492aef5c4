#include "tallowik/class_wizard_file.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "config/key_names.h"
#include "platform/profile_file.h"
#include "tallowik/profile_section.h"

namespace tallowik {
namespace {

constexpr std::string_view kGeneralInfo = "General Info";
constexpr std::string_view kTallowick = "Tallowick";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && config::FoldName(a) == config::FoldName(b);
}

// The entries `base`1 to `base``count` of the section, in index order, with their
// values cut to the text limit. Only the names that "base" + decimal index spells
// count (no leading zeros), in any letter case; the section is walked once, so a
// large count costs nothing beyond the keys that are there.
std::vector<std::pair<long long, std::string>> IndexedValues(const ProfileSection& section,
                                                             std::string_view base, int count) {
  std::vector<std::pair<long long, std::string>> found;
  const std::string folded_base = config::FoldName(base);
  for (const auto& [key, value] : section.entries()) {
    if (key.size() <= base.size() || key.size() > base.size() + 10) continue;
    if (config::FoldName(std::string_view(key).substr(0, base.size())) != folded_base) continue;
    std::string_view digits = std::string_view(key).substr(base.size());
    if (digits.front() == '0' || !std::all_of(digits.begin(), digits.end(), IsDigit)) continue;
    long long index = std::stoll(std::string(digits));
    if (index < 1 || index > count) continue;
    found.emplace_back(index, value.substr(0, kClwTextChars));
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return found;
}

int ReadCount(const ProfileSection& section, std::string_view key) {
  return ParseClwCount(section.Value(key, "", kClwCountChars));
}

std::vector<std::string> ListNonEmpty(const std::string& clw_file, std::string_view count_key,
                                      std::string_view base) {
  ProfileSection general = ProfileSection::Read(clw_file, kGeneralInfo);
  std::vector<std::string> names;
  for (auto& [index, value] : IndexedValues(general, base, ReadCount(general, count_key))) {
    if (!value.empty()) names.push_back(std::move(value));
  }
  return names;
}

}  // namespace

int ParseClwCount(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = std::min(limit, magnitude * 10 + (text[i] - '0'));
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

void RegisterClass(const std::string& clw_file, std::string_view header_file,
                   std::string_view implementation_file, std::string_view class_name) {
  // A nameless entry would be listed by nobody and matched by every later empty
  // name; there is nothing sensible to register.
  if (class_name.empty()) return;
  ProfileSection general = ProfileSection::Read(clw_file, kGeneralInfo);
  const int count = std::max(0, ReadCount(general, "ClassCount"));
  bool listed = false;
  for (const auto& [index, name] : IndexedValues(general, "Class", count)) {
    if (SameIgnoringCase(name, class_name)) {
      listed = true;
      break;
    }
  }
  if (!listed) {
    const std::string next = std::to_string(static_cast<long long>(count) + 1);
    platform::WriteProfileString(clw_file, kGeneralInfo, "ClassCount", next);
    platform::WriteProfileString(clw_file, kGeneralInfo, "Class" + next, class_name);
    platform::WriteProfileString(clw_file, kGeneralInfo, "LastClass", class_name);
  }
  const std::string section = "CLS:" + std::string(class_name);
  platform::WriteProfileString(clw_file, section, "Type", "0");
  platform::WriteProfileString(clw_file, section, "HeaderFile", header_file);
  platform::WriteProfileString(clw_file, section, "ImplementationFile", implementation_file);
}

std::vector<std::string> ListClwClasses(const std::string& clw_file) {
  return ListNonEmpty(clw_file, "ClassCount", "Class");
}

std::vector<std::string> ListClwResources(const std::string& clw_file) {
  return ListNonEmpty(clw_file, "ResourceCount", "Resource");
}

LastUsed LoadLastUsed(const std::string& clw_file) {
  ProfileSection section = ProfileSection::Read(clw_file, kTallowick);
  LastUsed values;
  values.base_desc = section.Value("Last Base Desc", "", kClwTextChars);
  values.base_class = section.Value("Last Base Class", "", kClwTextChars);
  values.resource = section.Value("Last Resource", "", kClwTextChars);
  values.add_to_clw = ReadCount(section, "Add to CLW");
  return values;
}

void SaveLastUsed(const std::string& clw_file, const LastUsed& values) {
  platform::WriteProfileString(clw_file, kTallowick, "Last Base Desc", values.base_desc);
  platform::WriteProfileString(clw_file, kTallowick, "Last Base Class", values.base_class);
  platform::WriteProfileString(clw_file, kTallowick, "Last Resource", values.resource);
  platform::WriteProfileString(clw_file, kTallowick, "Add to CLW",
                               values.add_to_clw != 0 ? "1" : "0");
}

}  // namespace tallowik
