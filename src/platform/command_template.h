// Command-line templates: a line with placeholders such as "$_Input" that is later
// split into words by SplitCommandLine (process.h).
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace platform {

struct TemplateValue {
  std::string_view placeholder;  // e.g. "$_Input"
  std::string_view text;
  // A file name is first made one shell word (ShellWord), so that a command run by
  // a shell from the template sees it whole.
  bool is_file_name = false;
};

// `name` unchanged when it holds only letters, digits and "/._-+,:@%=", else in
// single quotes with each "'" written as '\''.
std::string ShellWord(std::string_view name);

// `line` with every placeholder of `values` replaced in one pass from left to right
// (inserted text is not searched again; of two placeholders starting at the same
// place the longer wins). Each value is inserted so that the template's quoting at
// that point keeps it exactly once the line is split: within double quotes "\" and
// '"' get a backslash, within single quotes each "'" becomes '\'', outside quotes it
// goes in as it is.
std::string ExpandCommandTemplate(std::string_view line, std::span<const TemplateValue> values);

}  // namespace platform
