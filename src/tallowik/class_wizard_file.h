// The project's ClassWizard file (INI format, "<project>.clw"): the classes and
// resource identifiers it lists, the registration of a new class, and tallowik's own
// last-used main-page values in its section "Tallowick".
//
// Nothing here reports failure: a missing or unreadable file reads as empty, and a
// write that fails is ignored. Writes go through platform::WriteProfileString, so a
// file written by the IDE keeps every byte except the values written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallowik {

// Read limits: a count is read as at most 49 characters, a class name, resource
// identifier or last-used value as at most 149 (longer values are cut).
inline constexpr std::size_t kClwCountChars = 49;
inline constexpr std::size_t kClwTextChars = 149;

// A count as the ClassWizard file holds it: leading blanks, an optional sign and
// decimal digits; no digits gives 0. Saturates at the int range.
int ParseClwCount(std::string_view text);

// `RegisterClass`: when no "Class"i (i from 1 to "ClassCount" of "General Info")
// equals `class_name` ignoring letter case, writes "ClassCount" = count + 1,
// "Class"count+1 = the name and "LastClass" = the name, in this order; otherwise
// "General Info" stays. Then, either way, writes "Type" = 0, "HeaderFile" and
// "ImplementationFile" into section "CLS:" + the name as typed; other keys of that
// section stay. Creates the file when it does not exist. The file is read once, so
// the cost grows with the file's size, not with size times class count.
//
// An empty class name registers nothing, and a negative count reads as 0.
void RegisterClass(const std::string& clw_file, std::string_view header_file,
                   std::string_view implementation_file, std::string_view class_name);

// `ListClwClasses`: "Class1" to "Class"N (N = "ClassCount"), in that order, empty
// ones left out.
std::vector<std::string> ListClwClasses(const std::string& clw_file);

// `ListClwResources`: "Resource1" to "Resource"N (N = "ResourceCount"), in order,
// empty ones left out.
std::vector<std::string> ListClwResources(const std::string& clw_file);

// The four keys of section "Tallowick".
struct LastUsed {
  std::string base_desc;   // "Last Base Desc": the category shown last
  std::string base_class;  // "Last Base Class"
  std::string resource;    // "Last Resource"
  int add_to_clw = 0;      // "Add to CLW": the check box, read as a count
  bool operator==(const LastUsed&) const = default;
};

// `LoadLastUsed`: the texts with empty defaults, "Add to CLW" with default 0.
LastUsed LoadLastUsed(const std::string& clw_file);

// `SaveLastUsed`: writes "Last Base Desc", "Last Base Class", "Last Resource", then
// "Add to CLW" = 1 when `values.add_to_clw` is non-zero, else 0. Creates the file
// (with only this section) when the project has none.
void SaveLastUsed(const std::string& clw_file, const LastUsed& values);

}  // namespace tallowik
