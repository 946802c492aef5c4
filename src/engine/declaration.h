// Splitting one C++ declaration ("const CString& strName = 0") into its parts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {

struct DeclarationParts {
  std::string declaration;     // the whole input, trimmed, before comment removal
  std::string type;            // "const CString&", "char *"
  std::string name;            // "strName"
  std::string base;            // member mode only: "Count" of "m_nCount"
  std::string parameter_name;  // member mode only: "n" of "m_nCount"
  std::string initializer;     // the text after the first "=", trimmed
  int array_count = 0;         // trailing bracket groups after the name
};

// The default list of member-name prefixes ("InitialIdentStrings").
inline constexpr std::string_view kDefaultInitialIdentStrings = "m_";

// Fills `parts` from one declaration. In member mode the name is further split into
// base and parameter name, after stripping the first prefix of
// `initial_ident_strings` (";"-separated) that the name begins with. On failure
// `parts` may hold partial results.
bool SplitDeclaration(std::string_view text, DeclarationParts& parts, bool member_mode,
                      std::string_view initial_ident_strings = kDefaultInitialIdentStrings);

// The length of the first prefix of the ";"-separated list that `name` begins with,
// 0 when none does. An empty entry ends the list.
std::size_t InitialIdentLength(std::string_view name, std::string_view initial_ident_strings);

}  // namespace engine
