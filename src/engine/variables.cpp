#include "engine/variables.h"

#include <cstdio>

namespace engine {
namespace {

constexpr std::string_view kMark = "$_";

// Buffer that replacements are built in. After a rebuild it holds the text's old
// buffer, so in steady state substitution allocates nothing.
std::string& Scratch() {
  thread_local std::string scratch;
  return scratch;
}

// Repeat blocks of a few megabytes are substituted one after the other, so their
// buffer is kept; only a buffer beyond that is given back at once.
void ReleaseLargeScratch() {
  constexpr std::size_t kKeep = 16 << 20;
  std::string& scratch = Scratch();
  if (scratch.capacity() > kKeep) std::string().swap(scratch);
}

// Replaces every occurrence of `name` that starts at or after `from`, in one left to
// right pass. `name` and `value` may point into `text`.
bool ReplaceFrom(std::string& text, std::size_t from, std::string_view name, std::string_view value,
                 std::string& scratch) {
  if (name.empty()) return false;
  std::size_t found = text.find(name, from);
  if (found == std::string::npos) return false;
  scratch.clear();
  scratch.reserve(text.size() + (value.size() > name.size() ? value.size() - name.size() : 0));
  std::size_t pos = 0;
  do {
    scratch.append(text, pos, found - pos);
    scratch.append(value);
    pos = found + name.size();
    found = text.find(name, pos);
  } while (found != std::string::npos);
  scratch.append(text, pos, std::string::npos);
  text.swap(scratch);
  return true;
}

}  // namespace

bool ReplaceAll(std::string& text, std::string_view name, std::string_view value) {
  bool replaced = ReplaceFrom(text, 0, name, value, Scratch());
  ReleaseLargeScratch();
  return replaced;
}

const std::string* VariableTable::Find(std::string_view name) const {
  for (const auto& [pair_name, value] : pairs_) {
    if (pair_name == name) return &value;
  }
  return nullptr;
}

void SubstituteVariables(std::string& line, const VariableTable& table) {
  // When every name begins with "$_", no name can match before the first "$_" of the
  // line, and none at all once the line holds no "$_"; so each search starts there
  // and the pass ends early.
  const bool marked = table.all_names_marked();
  std::size_t from = 0;
  if (marked) {
    from = line.find(kMark);
    if (from == std::string::npos) return;
  }
  std::string& scratch = Scratch();
  for (const auto& [name, value] : table.pairs()) {
    if (!ReplaceFrom(line, from, name, value, scratch) || !marked) continue;
    // A "$" just before the first match and a value beginning with "_" form a new
    // "$_" one position earlier.
    from = line.find(kMark, from == 0 ? 0 : from - 1);
    if (from == std::string::npos) break;
  }
  ReleaseLargeScratch();
}

std::tm SystemClock::LocalNow() const {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string BaseFileName(std::string_view filename) {
  std::size_t separator = filename.find_last_of("/\\");
  std::string_view file =
      separator == std::string_view::npos ? filename : filename.substr(separator + 1);
  std::size_t period = file.rfind('.');
  if (period == std::string_view::npos) return {};
  return std::string(file.substr(0, period));
}

void AddFileUserDateVariables(VariableTable& table, const config::Settings& settings,
                              std::string_view filename, const Clock& clock) {
  table.Reserve(table.size() + 8);
  table.Append("$_UserID", settings.ReadSetting("Defaults", "User ID", ""));
  table.Append("$_CompanyName", settings.ReadSetting("Defaults", "Company Name", ""));
  table.Append("$_Filename", std::string(filename));
  table.Append("$_BaseFile", BaseFileName(filename));

  const std::tm now = clock.LocalNow();
  const int year = now.tm_year + 1900;
  char text[48];
  std::snprintf(text, sizeof text, "%d/%d/%02d", now.tm_mon + 1, now.tm_mday, year % 100);
  table.Append("$_Date", text);
  std::snprintf(text, sizeof text, "%02d", now.tm_mon + 1);
  table.Append("$_Month", text);
  std::snprintf(text, sizeof text, "%02d", now.tm_mday);
  table.Append("$_Day", text);
  std::snprintf(text, sizeof text, "%04d", year);
  table.Append("$_Year", text);
}

void AddFunctionVariables(VariableTable& table, const FunctionDeclaration& declaration) {
  const FunctionDeclaration& d = declaration;
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
