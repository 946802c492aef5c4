#include "tallowik/user_strings.h"

namespace tallowik {
namespace {

constexpr std::string_view kCount = "Num User Replacements";
constexpr std::string_view kHolder = "User Holder";
constexpr std::string_view kReplacement = "User Replacement";
constexpr std::size_t kWholeHolderChars = 15;
constexpr std::size_t kShortHolderChars = 12;

}  // namespace

std::vector<UserStringPair> LoadUserStrings(const config::Settings& settings) {
  const std::string configuration = settings.CurrentConfiguration();
  std::vector<UserStringPair> pairs;
  const int count = settings.ReadSettingNumber(configuration, kUserStringsKey, kCount, 0);
  for (int i = 0; i < count; ++i) {
    std::string holder = settings.ReadSetting(configuration, kUserStringsKey, kHolder, i, "");
    if (holder.empty()) continue;
    std::string with = settings.ReadSetting(configuration, kUserStringsKey, kReplacement, i, "");
    if (with.empty()) continue;
    pairs.push_back({std::move(holder), std::move(with)});
  }
  return pairs;
}

void SaveUserStrings(const config::Settings& settings, const std::vector<UserStringPair>& pairs) {
  const std::string configuration = settings.CurrentConfiguration();
  settings.WriteSettingNumber(configuration, kUserStringsKey, kCount,
                              static_cast<std::int32_t>(pairs.size()));
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const int index = static_cast<int>(i);
    settings.WriteSetting(configuration, kUserStringsKey, kHolder, index, pairs[i].replace);
    settings.WriteSetting(configuration, kUserStringsKey, kReplacement, index, pairs[i].with);
  }
}

namespace {

// Characters are counted as the user sees them: a UTF-8 sequence is one character,
// so a shortened holder never ends inside one.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::string_view FirstCharacters(std::string_view text, std::size_t n) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == n) {
      return text.substr(0, i);
    }
  }
  return text;
}

}  // namespace

std::string ShownHolder(std::string_view holder) {
  if (CharacterCount(holder) <= kWholeHolderChars) return std::string(holder);
  return std::string(FirstCharacters(holder, kShortHolderChars)) + "...";
}

std::string UserStringEntryText(const UserStringPair& pair) {
  return ShownHolder(pair.replace) + "\t" + pair.with;
}

bool CanMoveUp(int selected, int count) { return selected > 0 && selected < count; }
bool CanMoveDown(int selected, int count) { return selected >= 0 && selected < count - 1; }

}  // namespace tallowik
