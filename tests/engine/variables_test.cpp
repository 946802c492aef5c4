#include "engine/variables.h"

#include <gtest/gtest.h>

#include <random>

#include "config/memory_store.h"

namespace engine {
namespace {

TEST(ReplaceAll, Table) {
  struct Case {
    std::string text, name, value, result;
    bool replaced;
  } cases[] = {
      {"abc", "x", "y", "abc", false},
      {"abc", "", "v", "abc", false},
      {"$_A$_A", "$_A", "1", "11", true},        // adjacent
      {"aaaa", "aa", "a", "aa", true},           // no overlap, result not searched again
      {"$_A", "$_A", "$_A$_A", "$_A$_A", true},  // the value holds the name
      {"$_a $_Ab", "$_A", "1", "$_a 1b", true},  // exact case, no word boundaries
      {std::string("\0$_A\0", 5), "$_A", "", std::string("\0\0", 2), true},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ReplaceAll(text, c.name, c.value), c.replaced) << c.text;
    EXPECT_EQ(text, c.result) << c.text;
  }
}

TEST(SubstituteVariables, TableOrderDecides) {
  const char* cases[][2] = {
      {"$_First", "[2]"},        // a value holding a later name is substituted
      {"$_Third", "<$_First>"},  // one holding an earlier name is not
      {"$_Nothing $_", "$_Nothing $_"},
      {"$$_Glue", "2"},  // "_Second" after "$" forms a later name
  };
  VariableTable table;
  table.Append("$_First", "[$_Second]");
  table.Append("$_Glue", "_Second");
  table.Append("$_Second", "2");
  table.Append("$_Third", "<$_First>");
  for (auto& c : cases) {
    std::string line = c[0];
    SubstituteVariables(line, table);
    EXPECT_EQ(line, c[1]) << c[0];
  }
}

// The substitution must equal the plain rule, every pair in order over the whole
// line, on lines built from fragments that make and break names.
TEST(SubstituteVariables, AgreesWithThePlainRule) {
  const char* fragments[] = {"$", "_", "$_", "A", "B", "$_A", "$_AB", "x", "$_B"};
  std::vector<std::vector<std::pair<std::string, std::string>>> tables = {
      {{"$_A", "_B"}, {"$_B", "$_A"}, {"$_AB", ""}, {"$_", "$"}},
      {{"$_AB", "A$"}, {"$_A", "$_B"}, {"$_B", "_"}, {"_A", "$_A"}},  // an unmarked name
  };
  std::mt19937 random(7);
  for (const auto& pairs : tables) {
    VariableTable table;
    for (const auto& [name, value] : pairs) table.Append(name, value);
    for (int round = 0; round < 3000; ++round) {
      std::string line;
      for (int i = random() % 9; i > 0; --i) line += fragments[random() % std::size(fragments)];
      std::string expected = line;
      for (const auto& [name, value] : pairs) ReplaceAll(expected, name, value);
      SubstituteVariables(line, table);
      ASSERT_EQ(line, expected);
    }
  }
}

// "name=value|" for every pair, in table order.
std::string Dump(const VariableTable& table) {
  std::string text;
  for (const auto& [name, value] : table.pairs()) text += name + "=" + value + "|";
  return text;
}

TEST(AddFunctionVariables, ValuesAndOrder) {
  FunctionDeclaration d;
  d.const_flag = d.inline_flag = d.static_flag = 1;
  d.function_name = "Get";
  d.class_name = "CFoo";
  d.return_type = "int";
  d.argument_list = "char sz[2][3] = 0";
  d.statement = "int CFoo::Get(char sz[2][3] = 0) const {}";
  d.arguments.push_back({"char sz[2][3] = 0", "char", "sz", "", "", "0", 2});
  VariableTable table;
  AddFunctionVariables(table, d);
  EXPECT_EQ(Dump(table),
            "$_Args=char sz[2][3] = 0|$_Function=Get|$_Return=int|$_Const=const|"
            "$_Static=static|$_Inline=inline|$_FcnStatement=int CFoo::Get(char sz[2][3] = 0) "
            "const {}|$_ClassName=CFoo|$_ClassFunc=CFoo::Get|$_Arg0=char sz[2][3] = 0|"
            "$_ArgName0=sz|$_ArgReturn0=char[][]|$_ArgDefault0=0|");

  // Eleven arguments: $_Arg1 comes before $_Arg10 and matches its start.
  d = FunctionDeclaration();
  d.function_name = "Run";
  d.argument_list = "int a, int b";
  for (char name = 'a'; name < 'a' + 11; ++name) {
    d.arguments.push_back({std::string("int ") + name, "int", std::string(1, name), "", "", "", 0});
  }
  VariableTable eleven;
  AddFunctionVariables(eleven, d);
  EXPECT_EQ(eleven.size(), 9u + 4 * 11);
  std::string line = "$_ClassName|$_ClassFunc|$_Args|$_ArgName0|$_ArgName10|$_Arg10|$_ArgReturn2";
  SubstituteVariables(line, eleven);
  EXPECT_EQ(line, "|Run|int a, int b|a|b0|int b0|int");
}

std::tm Day(int year, int month, int day) {
  std::tm moment{};
  moment.tm_year = year - 1900;
  moment.tm_mon = month - 1;
  moment.tm_mday = day;
  return moment;
}

TEST(AddFileUserDateVariables, ValuesAndFormats) {
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
  settings.WriteSetting("Default", "Defaults", "Company Name", "Brackwater");
  VariableTable table;
  AddFileUserDateVariables(table, settings, "/u/src/$_Date.cpp", FixedClock(Day(1995, 3, 5)));
  EXPECT_EQ(Dump(table),
            "$_UserID=jdoe|$_CompanyName=Brackwater|$_Filename=/u/src/$_Date.cpp|"
            "$_BaseFile=$_Date|$_Date=3/5/95|$_Month=03|$_Day=05|$_Year=1995|");
  // The file name holds a later name, which is replaced too.
  std::string line = "$_Filename";
  SubstituteVariables(line, table);
  EXPECT_EQ(line, "/u/src/3/5/95.cpp");

  config::MemoryStore empty_store;
  config::Settings empty(empty_store);
  VariableTable later;
  AddFileUserDateVariables(later, empty, "Unknown", FixedClock(Day(2009, 12, 31)));
  EXPECT_EQ(Dump(later),
            "$_UserID=|$_CompanyName=|$_Filename=Unknown|$_BaseFile=|$_Date=12/31/09|"
            "$_Month=12|$_Day=31|$_Year=2009|");
}

TEST(BaseFileName, Table) {
  const char* cases[][2] = {
      {"Unknown", ""},
      {"D:\\WORK\\MAIN.CPP", "MAIN"},
      {"/home/u/src/main.cpp", "main"},
      {"a.b.c", "a.b"},
      {"dir.d/file", ""},
      {"dir.d\\file", ""},
      {"mix/d\\x.h", "x"},
      {"", ""},
      {"/x/.hidden", ""},
  };
  for (auto& c : cases) EXPECT_EQ(BaseFileName(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace engine
