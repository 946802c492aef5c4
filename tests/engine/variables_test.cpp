#include "engine/variables.h"

#include <gtest/gtest.h>

#include "config/memory_store.h"

namespace engine {
namespace {

TEST(ReplaceAll, Table) {
  struct Case {
    const char* text;
    const char* name;
    const char* value;
    bool replaced;
    const char* result;
  } cases[] = {
      {"abc", "x", "y", false, "abc"},
      {"$_A$_A", "$_A", "1", true, "11"},
      {"aaa", "aa", "b", true, "ba"},          // occurrences do not overlap
      {"$_A", "$_A", "$_A$_A", true, "$_A$_A"},  // the value is not searched again
      {"x$_Ay", "$_A", "", true, "xy"},
      {"", "$_A", "v", false, ""},
      {"$_a", "$_A", "v", false, "$_a"},  // exact case
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ReplaceAll(text, c.name, c.value), c.replaced) << c.text;
    EXPECT_EQ(text, c.result) << c.text;
  }
}

TEST(SubstituteVariables, TableOrderDecides) {
  VariableTable table;
  table.Append("$_First", "[$_Second]");
  table.Append("$_Second", "2");
  table.Append("$_Third", "<$_First>");
  std::string line = "$_First $_Third $_Nothing";
  SubstituteVariables(line, table);
  EXPECT_EQ(line, "[2] <$_First> $_Nothing");
}

FunctionDeclaration Declaration(int arguments) {
  FunctionDeclaration d;
  d.function_name = "Run";
  d.argument_list = "...";
  for (int i = 0; i < arguments; ++i) {
    DeclarationParts a;
    a.name = std::string(1, static_cast<char>('a' + i));
    a.declaration = "int " + a.name;
    a.type = "int";
    d.arguments.push_back(a);
  }
  return d;
}

TEST(SubstituteVariables, NumberedNamesAndTheTenthArgument) {
  VariableTable table;
  AddFunctionVariables(table, Declaration(11));
  EXPECT_EQ(table.size(), 9u + 4 * 11);
  std::string line = "$_Args|$_ArgName0|$_ArgName10|$_Arg10";
  SubstituteVariables(line, table);
  // $_ArgName1 comes before $_ArgName10 and matches its start.
  EXPECT_EQ(line, "...|a|b0|int b0");
}

TEST(AddFunctionVariables, ValuesAndOrder) {
  FunctionDeclaration d;
  d.const_flag = d.inline_flag = d.static_flag = 1;
  d.function_name = "Get";
  d.class_name = "CFoo";
  d.return_type = "int";
  d.statement = "whole";
  DeclarationParts a;
  a.declaration = "char sz[2][3] = 0";
  a.name = "sz";
  a.type = "char";
  a.initializer = "0";
  a.array_count = 2;
  d.arguments.push_back(a);
  VariableTable table;
  AddFunctionVariables(table, d);
  const char* expected[][2] = {
      {"$_Args", ""},           {"$_Function", "Get"},     {"$_Return", "int"},
      {"$_Const", "const"},     {"$_Static", "static"},    {"$_Inline", "inline"},
      {"$_FcnStatement", "whole"}, {"$_ClassName", "CFoo"}, {"$_ClassFunc", "CFoo::Get"},
      {"$_Arg0", "char sz[2][3] = 0"}, {"$_ArgName0", "sz"}, {"$_ArgReturn0", "char[][]"},
      {"$_ArgDefault0", "0"},
  };
  ASSERT_EQ(table.size(), std::size(expected));
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table.pairs()[i].first, expected[i][0]);
    EXPECT_EQ(table.pairs()[i].second, expected[i][1]) << expected[i][0];
  }
  VariableTable plain;
  AddFunctionVariables(plain, Declaration(0));
  EXPECT_EQ(*plain.Find("$_ClassFunc"), "Run");
}

TEST(AddFileUserDateVariables, ValuesFormatsAndOrder) {
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
  settings.WriteSetting("Default", "Defaults", "Company Name", "Brackwater");
  std::tm moment{};
  moment.tm_year = 95;
  moment.tm_mon = 2;
  moment.tm_mday = 5;
  VariableTable table;
  AddFileUserDateVariables(table, settings, "/home/u/src/$_Date.cpp", FixedClock(moment));
  const char* expected[][2] = {
      {"$_UserID", "jdoe"}, {"$_CompanyName", "Brackwater"}, {"$_Filename", "/home/u/src/$_Date.cpp"},
      {"$_BaseFile", "$_Date"}, {"$_Date", "3/5/95"}, {"$_Month", "03"}, {"$_Day", "05"},
      {"$_Year", "1995"},
  };
  ASSERT_EQ(table.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(table.pairs()[i].first, expected[i][0]);
    EXPECT_EQ(table.pairs()[i].second, expected[i][1]) << expected[i][0];
  }
  // A file name holding a later name gets that name replaced too.
  std::string line = "$_Filename";
  SubstituteVariables(line, table);
  EXPECT_EQ(line, "/home/u/src/3/5/95.cpp");

  moment.tm_year = 109;
  moment.tm_mon = 11;
  moment.tm_mday = 31;
  VariableTable later;
  AddFileUserDateVariables(later, settings, "Unknown", FixedClock(moment));
  EXPECT_EQ(*later.Find("$_Date"), "12/31/09");
  EXPECT_EQ(*later.Find("$_Year"), "2009");
  EXPECT_EQ(*later.Find("$_BaseFile"), "");
}

TEST(BaseFileName, Table) {
  const char* cases[][2] = {
      {"Unknown", ""},          {"D:\\WORK\\MAIN.CPP", "MAIN"}, {"/home/u/src/main.cpp", "main"},
      {"a.b.c", "a.b"},         {"dir.d/file", ""},               {"", ""},
      {"/x/.hidden", ""},       {"noext", ""},
  };
  for (auto& c : cases) EXPECT_EQ(BaseFileName(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace engine
