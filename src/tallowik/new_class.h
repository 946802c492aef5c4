// `CNewClass`: the values of one class for one generation run, and the values that
// are reloaded for each file the run writes.
#pragma once

#include <string>
#include <vector>

namespace tallowik {

// What the main page and the command line give. File names are as typed: a relative
// name is relative to the project directory, the current directory of the run.
struct ClassFields {
  std::string project_dir;     // "$_ProjectDir": second command-line argument
  std::string project;         // "$_Project": first argument after the extension rule
  std::string description;     // "$_Description"
  std::string base_class;      // "$_BaseClass"
  std::string class_name;      // "$_ClassName"
  std::string resource_id;     // "$_ResourceID"
  std::string class_specific;  // "$_ClassSpecific"
  std::string header_file;     // "$_HeaderFile"
  std::string source_file;     // "$_SourceFile"
};

// A "replace" text and its "with" text, applied in list order after the variables.
struct Replacement {
  std::string replace;
  std::string with;
  bool operator==(const Replacement&) const = default;
};

// Reloaded at the start of each file, so each file sees the configuration and the
// clock as they are when it is generated, and pairs never accumulate between files.
struct FileValues {
  std::string date;   // "$_Date": M/d/yy
  std::string month;  // "$_Month": 01 .. 12
  std::string day;    // "$_Day": 01 .. 31
  std::string year;   // "$_Year": four digits
  std::string company_name;
  std::string user_id;
  std::vector<Replacement> replacements;  // project string file first, then user strings
};

struct NewClass {
  ClassFields fields;
  FileValues file;
};

}  // namespace tallowik
