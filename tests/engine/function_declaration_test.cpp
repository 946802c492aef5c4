#include "engine/function_declaration.h"

#include <gtest/gtest.h>

#include <vector>

namespace engine {
namespace {

TEST(ParseFunctionDeclaration, Table) {
  const struct {
    const char* text;
    const char* return_type;
    const char* class_name;
    const char* function_name;
    const char* argument_list;
    std::vector<std::string> argument_names;
    int flags;  // const 1, inline 2, static 4
  } cases[] = {
      {"void CMyView::OnDraw(CDC* pDC)", "void", "CMyView", "OnDraw", "CDC* pDC", {"pDC"}, 0},
      {"static int Count(const CString& str, int nStart = 0) const;",
       "int",
       "",
       "Count",
       "const CString& str, int nStart = 0",
       {"str", "nStart"},
       5},
      {"CMyDoc::~CMyDoc()", "", "CMyDoc", "~CMyDoc", "", {}, 0},
      {"CString& CString::operator=(const CString& s)",
       "CString&",
       "CString",
       "operator=",
       "const CString& s",
       {"s"},
       0},
      {"inline BOOL IsEmpty()", "BOOL", "", "IsEmpty", "", {}, 2},
      {"inline static void f()", "void", "", "f", "", {}, 6},
      {"static inline void f()", "inline void", "", "f", "", {}, 4},
      {"staticvoid f() myconst", "void", "", "f", "", {}, 5},  // no word boundaries
      {"void Foo (int n)", "void Foo", "", "", "int n", {"n"}, 0},
      {"Foo(int n)", "", "", "Foo", "int n", {"n"}, 0},
      {"CFoo::CFoo() : m_n(0)", "CFoo::CFoo() :", "", "m_n", "0", {"0"}, 0},
      {"A::B::f()", "A::", "B", "f", "", {}, 0},
      {"char *CFoo::Get()", "char *", "CFoo", "Get", "", {}, 0},
      {"Foo(void)", "", "", "Foo", "void", {"void"}, 0},
      {"operator_t Foo(int)", "", "", "operator_t Foo", "int", {"int"}, 0},
      {"void f() const {", "void", "", "f", "", {}, 1},
      {"bool A::operator()(int x) const", "bool", "A", "operator()", "int x", {"x"}, 1},
      {"void f(int a,, ,int b,)", "void", "", "f", "int a,, ,int b,", {"a", "b"}, 0},
      {"void f(map<int, int> m, *p)", "void", "", "f", "map<int, int> m, *p", {"int", "m"}, 0},
      {"int Get() const // getter\n{ return m_n; }", "int", "", "Get", "", {}, 1},
  };
  for (const auto& c : cases) {
    FunctionDeclaration d;
    ASSERT_TRUE(ParseFunctionDeclaration(c.text, d)) << c.text;
    EXPECT_EQ(d.statement, c.text);
    EXPECT_EQ(d.return_type, c.return_type) << c.text;
    EXPECT_EQ(d.class_name, c.class_name) << c.text;
    EXPECT_EQ(d.function_name, c.function_name) << c.text;
    EXPECT_EQ(d.argument_list, c.argument_list) << c.text;
    EXPECT_EQ(d.const_flag + 2 * d.inline_flag + 4 * d.static_flag, c.flags) << c.text;
    std::vector<std::string> names;
    for (const DeclarationParts& a : d.arguments) names.push_back(a.name);
    EXPECT_EQ(names, c.argument_names) << c.text;
  }
}

TEST(ParseFunctionDeclaration, ArgumentPartsAndReuse) {
  FunctionDeclaration d;
  ASSERT_TRUE(ParseFunctionDeclaration("void f(CDC* pDC, int n = 0, char sz[8]) const", d));
  ASSERT_EQ(d.arguments.size(), 3u);
  EXPECT_EQ(d.arguments[0].type, "CDC*");
  EXPECT_EQ(d.arguments[1].declaration, "int n = 0");
  EXPECT_EQ(d.arguments[1].initializer, "0");
  EXPECT_EQ(d.arguments[2].array_count, 1);
  // A second parse starts from an empty model: nothing of the first one remains.
  ASSERT_TRUE(ParseFunctionDeclaration("g()", d));
  EXPECT_TRUE(d.arguments.empty());
  EXPECT_EQ(d.const_flag, 0);
  ResetFunctionDeclaration(d);
  EXPECT_EQ(d.function_name + d.statement, "");
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

TEST(ParseFunctionDeclaration, HugeInputFinishes) {
  FunctionDeclaration d;
  EXPECT_TRUE(
      ParseFunctionDeclaration("f" + std::string(1 << 20, '(') + std::string(1 << 20, ')'), d));
  EXPECT_FALSE(ParseFunctionDeclaration(std::string(4 << 20, ')'), d));
  std::string text = "void f(";
  for (int i = 0; i < 100000; ++i) text += "int a" + std::to_string(i) + " /* x */, ";
  ASSERT_TRUE(ParseFunctionDeclaration(text + std::string("\0)", 2), d));
  EXPECT_EQ(d.arguments.size(), 100001u);  // the last one is the NUL byte, a name
}

}  // namespace
}  // namespace engine
