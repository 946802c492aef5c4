// Template variables ("$_Name"), the ordered variable table and the substitution rule.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/settings.h"
#include "engine/function_declaration.h"

namespace engine {

// Replaces every occurrence of `name`, left to right, without searching the inserted
// value again. Exact and case-sensitive. Returns whether anything was replaced.
bool ReplaceAll(std::string& text, std::string_view name, std::string_view value);

// Ordered (name, value) pairs; the order decides which names a value may contain.
class VariableTable {
 public:
  void Reserve(std::size_t pairs) { pairs_.reserve(pairs); }
  void Append(std::string name, std::string value) {
    if (name.rfind("$_", 0) != 0) all_names_marked_ = false;
    pairs_.emplace_back(std::move(name), std::move(value));
  }
  // Whether every name begins with "$_", so a text without "$_" needs no work.
  bool all_names_marked() const { return all_names_marked_; }
  std::size_t size() const { return pairs_.size(); }
  const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }
  // The value of the first pair with this name, nullptr when there is none.
  const std::string* Find(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
  bool all_names_marked_ = true;
};

// Applies the table pair by pair, in table order, with `ReplaceAll`. Unknown "$_"
// words stay as written.
void SubstituteVariables(std::string& line, const VariableTable& table);

// Local date and time; tests set it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::tm LocalNow() const = 0;
};

class SystemClock : public Clock {
 public:
  std::tm LocalNow() const override;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(std::tm moment) : moment_(moment) {}
  std::tm LocalNow() const override { return moment_; }

 private:
  std::tm moment_;
};

// The text after the last "/" or "\", cut before its last "."; empty without a ".".
std::string BaseFileName(std::string_view filename);

// "$_UserID", "$_CompanyName", "$_Filename", "$_BaseFile", "$_Date", "$_Month",
// "$_Day", "$_Year", in this order. `filename` is the "/F" value ("Unknown" when the
// switch was absent). The clock is read once.
void AddFileUserDateVariables(VariableTable& table, const config::Settings& settings,
                              std::string_view filename, const Clock& clock);

// "$_Args" .. "$_ClassFunc", then "$_Arg<i>", "$_ArgName<i>", "$_ArgReturn<i>",
// "$_ArgDefault<i>" for each argument.
void AddFunctionVariables(VariableTable& table, const FunctionDeclaration& declaration);

}  // namespace engine
