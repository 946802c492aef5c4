#include "tallowik/user_strings.h"

#include "tallowik/utf8_text.h"

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
