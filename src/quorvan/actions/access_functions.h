// Access functions: a "Get" and a "Set" function for each data member declaration,
// from the templates of the access-member control file.
#pragma once

#include <string>
#include <string_view>

#include "engine/declaration.h"
#include "engine/notifier.h"

namespace quorvan {

// "Member Grouping" values: the Set functions of all members, then their Get
// functions; or each member's pair together.
inline constexpr int kGroupByAction = 1002;
inline constexpr int kGroupByVariable = 1003;

inline constexpr std::string_view kDefaultGetTemplate =
    "\t$_MemberType\tGet$_FcnBase()\tconst\t{ return $_MemberName; }\r\n";
inline constexpr std::string_view kDefaultPutTemplate =
    "\t$_MemberType\tSet$_FcnBase( $_MemberType $_EquateName)\t{ return $_MemberName = "
    "$_EquateName; }\r\n";

// The control-file section of a member's type: the type without white space,
// followed by "ARRAY" per array dimension, at most 255 characters.
std::string TypeSectionName(const engine::DeclarationParts& member);

// Replaces "$_FcnBase", "$_MemberName", "$_MemberType" and "$_EquateName", in this
// order, with the member's fields, then translates the escapes.
std::string ExpandMemberTemplate(std::string text, const engine::DeclarationParts& member,
                                 engine::Notifier* notifier);

// The clipboard text `declarations`, a line end, and the access functions of each
// member in it, with the templates of the control file at `control_path` (the
// built-in ones where it has none). `notifier` sounds the "\a" escapes.
std::string GenerateAccessFunctions(std::string_view declarations, const std::string& control_path,
                                    int grouping, engine::Notifier* notifier);

}  // namespace quorvan
