#include "tallowik/class_substitution.h"

#include <cstdio>

#include "platform/atomic_file.h"
#include "tallowik/paths.h"
#include "tallowik/text_pieces.h"

namespace tallowik {
namespace {

constexpr std::string_view kDefaults = "Defaults";
constexpr std::string_view kUserStrings = "User Strings";
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

std::string_view TrimWhiteSpace(std::string_view text) {
  std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

}  // namespace

void SetDateValues(FileValues& values, const std::tm& now) {
  const int year = now.tm_year + 1900;
  char text[48];
  std::snprintf(text, sizeof text, "%d/%d/%02d", now.tm_mon + 1, now.tm_mday, year % 100);
  values.date = text;
  std::snprintf(text, sizeof text, "%02d", now.tm_mon + 1);
  values.month = text;
  std::snprintf(text, sizeof text, "%02d", now.tm_mday);
  values.day = text;
  std::snprintf(text, sizeof text, "%04d", year);
  values.year = text;
}

std::vector<Replacement> ParseProjectStrings(std::string_view text) {
  std::vector<Replacement> pairs;
  TextPieceReader reader(text);
  std::string piece;
  while (reader.Next(piece)) {
    std::string_view line = TrimWhiteSpace(piece);
    std::size_t blank = line.find_first_of(kWhiteSpace);
    if (blank == std::string_view::npos) continue;
    pairs.push_back(
        {std::string(line.substr(0, blank)), std::string(TrimWhiteSpace(line.substr(blank)))});
  }
  return pairs;
}

std::vector<Replacement> LoadReplacements(const config::Settings& settings,
                                          std::string_view configuration,
                                          std::string_view project) {
  std::vector<Replacement> pairs;
  std::string name = settings.ReadSetting(configuration, kDefaults, "Project String File Name", "");
  if (!name.empty()) {
    engine::ReplaceAll(name, "$_Project", project);
    platform::FileContents file = platform::ReadWholeFile(MakeFullPath(name));
    if (file.status == platform::FileContents::Status::kRead) {
      pairs = ParseProjectStrings(file.bytes);
    }
  }
  const int count =
      settings.ReadSettingNumber(configuration, kUserStrings, "Num User Replacements", 0);
  for (int i = 0; i < count; ++i) {
    std::string replace = settings.ReadSetting(configuration, kUserStrings, "User Holder", i, "");
    if (replace.empty()) continue;
    std::string with = settings.ReadSetting(configuration, kUserStrings, "User Replacement", i, "");
    if (with.empty()) continue;
    pairs.push_back({std::move(replace), std::move(with)});
  }
  return pairs;
}

FileValues LoadFileValues(const config::Settings& settings, std::string_view configuration,
                          std::string_view project, const engine::Clock& clock) {
  FileValues values;
  values.user_id = settings.ReadSetting(configuration, kDefaults, "User ID", "");
  values.company_name = settings.ReadSetting(configuration, kDefaults, "Company Name", "");
  SetDateValues(values, clock.LocalNow());
  values.replacements = LoadReplacements(settings, configuration, project);
  return values;
}

LineSubstitution::LineSubstitution(const NewClass& new_class, std::string_view output_name) {
  const ClassFields& c = new_class.fields;
  const FileValues& f = new_class.file;
  variables_.Reserve(17);
  variables_.Append("$_Filename", std::string(output_name));
  variables_.Append("$_BaseFile", CutAtLastPeriod(output_name));
  variables_.Append("$_HeaderFile", c.header_file);
  variables_.Append("$_SourceFile", c.source_file);
  variables_.Append("$_ClassName", c.class_name);
  variables_.Append("$_BaseClass", c.base_class);
  variables_.Append("$_UserID", f.user_id);
  variables_.Append("$_Month", f.month);
  variables_.Append("$_Day", f.day);
  variables_.Append("$_Year", f.year);
  variables_.Append("$_CompanyName", f.company_name);
  variables_.Append("$_Date", f.date);
  variables_.Append("$_Description", c.description);
  variables_.Append("$_ProjectDir", c.project_dir);
  variables_.Append("$_Project", c.project);
  variables_.Append("$_ResourceID", c.resource_id);
  variables_.Append("$_ClassSpecific", c.class_specific);
  replacements_.Reserve(f.replacements.size());
  for (const Replacement& pair : f.replacements) replacements_.Append(pair.replace, pair.with);
}

void LineSubstitution::Apply(std::string& line) const {
  engine::SubstituteVariables(line, variables_);
  engine::SubstituteVariables(line, replacements_);
}

void SubstituteLine(std::string& line, const NewClass& new_class, std::string_view output_name) {
  LineSubstitution(new_class, output_name).Apply(line);
}

}  // namespace tallowik
