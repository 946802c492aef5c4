// The user strings as the User Strings page edits them: the stored list, how an entry
// is shown, and when Up and Down can act.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "tallowik/new_class.h"

namespace tallowik {

inline constexpr std::string_view kUserStringsKey = "User Strings";

// `UserStringPair`: the holder (the text replaced) and its replacement.
using UserStringPair = Replacement;

// The pairs of the configuration in force in stored order; a pair with an empty
// part is dropped.
std::vector<UserStringPair> LoadUserStrings(const config::Settings& settings);
// Writes the count and the pairs in list order; higher-numbered stale pairs stay.
void SaveUserStrings(const config::Settings& settings, const std::vector<UserStringPair>& pairs);

// The holder as the list shows it: whole up to 15 characters, else its first 12
// followed by "...".
std::string ShownHolder(std::string_view holder);
// An entry's visible text: the shown holder, a tab, the replacement.
std::string UserStringEntryText(const UserStringPair& pair);

// Up acts on a selected entry other than the first, Down on one other than the last.
bool CanMoveUp(int selected, int count);
bool CanMoveDown(int selected, int count);

// Messages of the "Replacement String" dialog; empty when both texts are given.
inline constexpr std::string_view kNeedReplace = "Need to replace something!!";
inline constexpr std::string_view kNeedWith = "Need to replace with something!!";

}  // namespace tallowik
