#include "engine/variables.h"

#include <cstdio>

#include "engine/text_ops.h"

namespace engine {

bool ReplaceAll(std::string& text, std::string_view name, std::string_view value) {
  if (name.empty()) return false;
  std::size_t found = text.find(name);
  if (found == std::string::npos) return false;
  std::string out;
  out.reserve(text.size() + (value.size() > name.size() ? value.size() - name.size() : 0) * 4);
  std::size_t pos = 0;
  do {
    out.append(text, pos, found - pos);
    out.append(value);
    pos = found + name.size();
    found = text.find(name, pos);
  } while (found != std::string::npos);
  out.append(text, pos, std::string::npos);
  text.swap(out);
  return true;
}

const std::string* VariableTable::Find(std::string_view name) const {
  for (const auto& [n, v] : pairs_) {
    if (n == name) return &v;
  }
  return nullptr;
}

void SubstituteVariables(std::string& line, const VariableTable& table) {
  if (table.all_names_marked() && line.find("$_") == std::string::npos) return;
  for (const auto& [name, value] : table.pairs()) ReplaceAll(line, name, value);
}

std::tm SystemClock::LocalNow() const {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string BaseFileName(std::string_view filename) {
  std::size_t slash = filename.find_last_of("/\\");
  std::string_view file = slash == std::string_view::npos ? filename : filename.substr(slash + 1);
  std::size_t period = file.rfind('.');
  if (period == std::string_view::npos) return {};
  return std::string(file.substr(0, period));
}

void AddFileUserDateVariables(VariableTable& table, const config::Settings& settings,
                              std::string_view filename, const Clock& clock) {
  table.Append("$_UserID", settings.ReadSetting("Defaults", "User ID", ""));
  table.Append("$_CompanyName", settings.ReadSetting("Defaults", "Company Name", ""));
  table.Append("$_Filename", std::string(filename));
  table.Append("$_BaseFile", BaseFileName(filename));

  const std::tm now = clock.LocalNow();
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d/%02d", now.tm_mon + 1, now.tm_mday,
                (now.tm_year + 1900) % 100);
  table.Append("$_Date", text);
  std::snprintf(text, sizeof text, "%02d", now.tm_mon + 1);
  table.Append("$_Month", text);
  std::snprintf(text, sizeof text, "%02d", now.tm_mday);
  table.Append("$_Day", text);
  std::snprintf(text, sizeof text, "%04d", now.tm_year + 1900);
  table.Append("$_Year", text);
}

void AddFunctionVariables(VariableTable& table, const FunctionDeclaration& d) {
  table.Reserve(table.size() + 9 + 4 * d.arguments.size());
  table.Append("$_Args", d.argument_list);
  table.Append("$_Function", d.function_name);
  table.Append("$_Return", d.return_type);
  table.Append("$_Const", d.const_flag ? "const" : "");
  table.Append("$_Static", d.static_flag ? "static" : "");
  table.Append("$_Inline", d.inline_flag ? "inline" : "");
  table.Append("$_FcnStatement", d.statement);
  table.Append("$_ClassName", d.class_name);
  table.Append("$_ClassFunc",
               d.class_name.empty() ? d.function_name : d.class_name + "::" + d.function_name);
  for (std::size_t i = 0; i < d.arguments.size(); ++i) {
    const DeclarationParts& argument = d.arguments[i];
    const std::string index = std::to_string(i);
    std::string type = argument.type;
    for (int dimension = 0; dimension < argument.array_count; ++dimension) type += "[]";
    table.Append("$_Arg" + index, argument.declaration);
    table.Append("$_ArgName" + index, argument.name);
    table.Append("$_ArgReturn" + index, std::move(type));
    table.Append("$_ArgDefault" + index, argument.initializer);
  }
}

}  // namespace engine
