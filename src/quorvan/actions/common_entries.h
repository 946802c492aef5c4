// The common control file's two lists ("Common Strings": String0, String1, ...;
// "Common Files": File0, File1, ...) and the list dialog that picks one entry.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "engine/variables.h"
#include "quorvan/app.h"
#include "quorvan/user_interface.h"

namespace quorvan {

inline constexpr std::string_view kCommonStringsFile = "Common Strings File";
inline constexpr std::string_view kDefaultCommonStringsFile = "COMMON.CTL";

enum class CommonList { kStrings, kFiles };

// The entries of `list` in the common control file found on the template search
// path, in key order from number 0 up to the first missing or empty value, each cut
// to 259 characters. Empty when the file is not found.
std::vector<std::string> ReadCommonEntries(const config::Settings& settings, CommonList list);

// The list dialog's form: identifier and title "Common Strings" or "Common Files",
// one list field of `entries` with the first entry chosen (none when empty).
Form MakeCommonEntriesForm(CommonList list, std::vector<std::string> entries);

// Shows the list ("Common Strings" or "Common Files") with its first entry chosen.
// nullopt for Cancel; on OK the chosen entry, or an empty text when none is chosen.
std::optional<std::string> ChooseCommonEntry(App& app, CommonList list);

// "Insert Common Strings" with the date read from `clock`: the chosen string with the
// file, user and date variables substituted and escapes translated, written to the
// clipboard and pasted.
bool InsertCommonString(App& app, const engine::Clock& clock);

}  // namespace quorvan
