// The values of tallowik's template variables and the order in which a line of a
// template is substituted.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "engine/variables.h"
#include "tallowik/new_class.h"

namespace tallowik {

// Sets "$_Date" (M/d/yy), "$_Month", "$_Day" (two digits) and "$_Year" (four digits).
void SetDateValues(FileValues& values, const std::tm& now);

// The pairs of a project string file's text: each piece (text_pieces.h) with white
// space trimmed at both ends is split at its first white space into the "replace"
// text and the rest, trimmed again, as the "with" text; a piece without inner white
// space (an empty line, a single word) gives no pair. There is no comment syntax.
std::vector<Replacement> ParseProjectStrings(std::string_view text);

// `LoadReplacements`: the pairs of the project string file ("Project String File
// Name" of "Defaults", with "$_Project" replaced by `project`, taken relative to the
// current directory; a missing or unreadable file adds nothing), then the user
// strings ("Num User Replacements", "User Holder"i, "User Replacement"i of "User
// Strings"), skipping those whose "replace" or "with" text is empty.
std::vector<Replacement> LoadReplacements(const config::Settings& settings,
                                          std::string_view configuration, std::string_view project);

// The per-file values: "User ID" and "Company Name" of "Defaults", the date values
// from the clock (read once), then `LoadReplacements`.
FileValues LoadFileValues(const config::Settings& settings, std::string_view configuration,
                          std::string_view project, const engine::Clock& clock);

// The substitution of one output file's lines. Each line gets, each with
// engine::ReplaceAll over the whole line as the previous step left it, in this order:
// "$_Filename" (the output name), "$_BaseFile" (the output name cut at its last "."),
// "$_HeaderFile", "$_SourceFile", "$_ClassName", "$_BaseClass", "$_UserID",
// "$_Month", "$_Day", "$_Year", "$_CompanyName", "$_Date", "$_Description",
// "$_ProjectDir", "$_Project", "$_ResourceID", "$_ClassSpecific", then each pair's
// "replace" text by its "with" text in list order. A value inserted by one step is
// subject to every later step.
class LineSubstitution {
 public:
  LineSubstitution(const NewClass& new_class, std::string_view output_name);
  void Apply(std::string& line) const;

 private:
  engine::VariableTable variables_;     // the "$_" steps
  engine::VariableTable replacements_;  // the pairs, which may be any text
};

// `SubstituteLine`: one line with the steps above.
void SubstituteLine(std::string& line, const NewClass& new_class, std::string_view output_name);

}  // namespace tallowik
