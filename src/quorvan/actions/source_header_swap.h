// The name swap behind "Source Header Swap": a source file's header, or a header's
// source, by the extension groups of "Swap File Groupings" ("[CPP,H][C,H]").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvan {

inline constexpr std::string_view kSwapFileGroupings = "Swap File Groupings";
inline constexpr std::string_view kDefaultSwapFileGroupings = "[CPP,H]";

// `file_name` with the text after its last "." replaced by the other extension of the
// first group naming it (the second extension of a group is tested first; letter case
// does not count, the new extension is written as the group writes it). The groups
// are the pieces between "[" characters; each is a first extension, a comma and the
// second extension followed by one closing character. nullopt when the name has no
// ".", no group names its extension, or a group without a comma comes first.
std::optional<std::string> SwappedFileName(std::string_view file_name, std::string_view groupings);

// `path` when that file exists; else an existing file in the same directory whose
// name differs from it only in the letter case of the text after the last "." (the
// first such name in byte order); else `path`.
std::string ExistingExtensionCase(const std::string& path);

}  // namespace quorvan
