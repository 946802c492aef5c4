// Path helpers of the generator.
#pragma once

#include <string>
#include <string_view>

namespace tallowik {

// `name` as a full path: a relative name is joined to the current directory. The
// path is not normalised ("a/../b" stays), so it names what `name` names. On failure
// (no current directory) `name` comes back as it is.
std::string MakeFullPath(std::string_view name);

// The output name cut at its last "." (the whole name when it has none). A directory
// part stays: "../X" gives ".".
std::string CutAtLastPeriod(std::string_view name);

}  // namespace tallowik
