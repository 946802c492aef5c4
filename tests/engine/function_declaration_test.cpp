#include "engine/function_declaration.h"

#include <gtest/gtest.h>

#include <vector>

namespace engine {
namespace {

struct ParseCase {
  const char* text;
  const char* return_type;
  const char* class_name;
  const char* function_name;
  const char* argument_list;
  std::vector<const char*> argument_names;
  int flags;  // const 1, inline 2, static 4
};

TEST(ParseFunctionDeclaration, Table) {
  const ParseCase cases[] = {
      {"void CMyView::OnDraw(CDC* pDC)", "void", "CMyView", "OnDraw", "CDC* pDC", {"pDC"}, 0},
      {"static int Count(const CString& str, int nStart = 0) const;", "int", "", "Count",
       "const CString& str, int nStart = 0", {"str", "nStart"}, 5},
      {"CMyDoc::~CMyDoc()", "", "CMyDoc", "~CMyDoc", "", {}, 0},
      {"CString& CString::operator=(const CString& s)", "CString&", "CString", "operator=",
       "const CString& s", {"s"}, 0},
      {"inline BOOL IsEmpty()", "BOOL", "", "IsEmpty", "", {}, 2},
      {"inline static void f()", "void", "", "f", "", {}, 6},
      {"static inline void f()", "inline void", "", "f", "", {}, 4},
      {"void Foo (int n)", "void Foo", "", "", "int n", {"n"}, 0},
      {"Foo(int n)", "", "", "Foo", "int n", {"n"}, 0},
      {"CFoo::CFoo() : m_n(0)", "CFoo::CFoo() :", "", "m_n", "0", {"0"}, 0},
      {"A::B::f()", "A::", "B", "f", "", {}, 0},
      {"Foo(void)", "", "", "Foo", "void", {"void"}, 0},
      {"operator_t Foo(int)", "", "", "operator_t Foo", "int", {"int"}, 0},
      {"void f() const {", "void", "", "f", "", {}, 1},
      {"bool A::operator()(int x) const", "bool", "A", "operator()", "int x", {"x"}, 1},
      {"void f(int a,, ,int b,)", "void", "", "f", "int a,, ,int b,", {"a", "b"}, 0},
      {"void f(map<int, int> m)", "void", "", "f", "map<int, int> m", {"int", "m"}, 0},
      {"int f(int a[], char b[2][3])", "int", "", "f", "int a[], char b[2][3]", {"a", "b"}, 0},
  };
  for (const ParseCase& c : cases) {
    FunctionDeclaration d;
    ASSERT_TRUE(ParseFunctionDeclaration(c.text, d)) << c.text;
    EXPECT_EQ(d.statement, c.text);
    EXPECT_EQ(d.return_type, c.return_type) << c.text;
    EXPECT_EQ(d.class_name, c.class_name) << c.text;
    EXPECT_EQ(d.function_name, c.function_name) << c.text;
    EXPECT_EQ(d.argument_list, c.argument_list) << c.text;
    EXPECT_EQ(d.const_flag, c.flags & 1) << c.text;
    EXPECT_EQ(d.inline_flag, (c.flags >> 1) & 1) << c.text;
    EXPECT_EQ(d.static_flag, (c.flags >> 2) & 1) << c.text;
    std::vector<std::string> names;
    for (const DeclarationParts& a : d.arguments) names.push_back(a.name);
    EXPECT_EQ(names, std::vector<std::string>(c.argument_names.begin(), c.argument_names.end()))
        << c.text;
  }
}

TEST(ParseFunctionDeclaration, ArgumentParts) {
  FunctionDeclaration d;
  ASSERT_TRUE(ParseFunctionDeclaration("void f(CDC* pDC, int n = 0, char sz[8])", d));
  ASSERT_EQ(d.arguments.size(), 3u);
  EXPECT_EQ(d.arguments[0].type, "CDC*");
  EXPECT_EQ(d.arguments[1].initializer, "0");
  EXPECT_EQ(d.arguments[1].declaration, "int n = 0");
  EXPECT_EQ(d.arguments[2].array_count, 1);
  ResetFunctionDeclaration(d);
  EXPECT_TRUE(d.arguments.empty());
  EXPECT_EQ(d.function_name, "");
  EXPECT_EQ(d.const_flag + d.inline_flag + d.static_flag, 0);
}

TEST(ParseFunctionDeclaration, Failures) {
  const char* cases[] = {"", "   ", "// void f()", "{ void f() }", "void f(", "void f)", "f)(",
                         ";void f()",
                         // "//" inside a string default is a comment: the ")" goes with it
                         "void f(const char* s = \"//\")"};
  for (const char* text : cases) {
    FunctionDeclaration d;
    EXPECT_FALSE(ParseFunctionDeclaration(text, d)) << text;
  }
}

TEST(ParseFunctionDeclaration, BodyIsKeptOnlyInTheStatement) {
  const char* text = "int Get() const // getter\n{ return m_n; }";
  FunctionDeclaration d;
  ASSERT_TRUE(ParseFunctionDeclaration(text, d));
  EXPECT_EQ(d.statement, text);
  EXPECT_EQ(d.function_name, "Get");
  EXPECT_EQ(d.const_flag, 1);
}

TEST(ParseFunctionDeclaration, DeepNestingAndHugeInputFinish) {
  std::string text = "void f" + std::string(100000, '(') + std::string(100000, ')');
  FunctionDeclaration d;
  EXPECT_TRUE(ParseFunctionDeclaration(text, d));
  std::string args = "void f(";
  for (int i = 0; i < 20000; ++i) args += "int a" + std::to_string(i) + ", ";
  args += ")";
  ResetFunctionDeclaration(d);
  ASSERT_TRUE(ParseFunctionDeclaration(args, d));
  EXPECT_EQ(d.arguments.size(), 20000u);
}

}  // namespace
}  // namespace engine
