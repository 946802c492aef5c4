#include "engine/declaration.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

using namespace std::string_literals;

TEST(SplitDeclaration, Table) {
  const struct {
    std::string text;
    const char* type;
    std::string name;
    const char* initializer;
    int array_count;
  } cases[] = {
      {"const CString& strName = 0", "const CString&", "strName", "0", 0},
      {"int n = f(a, b)", "int", "n", "f(a, b)", 0},
      {"int n // count", "int", "n", "", 0},
      {"int /* count */ n", "int", "n", "", 0},
      {"char szBuf[10][20]", "char", "szBuf", "", 2},
      {"int a [ 3 ] = {1}", "int", "a", "{1}", 1},
      {"DECL(x)", "", "DECL(x)", "", 0},
      {"int DECL(f(x))", "int", "DECL(f(x))", "", 0},
      {"char *psz", "char *", "psz", "", 0},
      {"char* psz", "char*", "psz", "", 0},
      {"char **ppsz", "char * *", "ppsz", "", 0},
      {"int m_a, m_b", "int m_a,", "m_b", "", 0},
      {"int", "", "int", "", 0},
      {"int x, ...", "", "...", "", 0},
      {"int\0n"s, "", "int\0n"s, "", 0},  // NUL is an ordinary character
  };
  for (const auto& c : cases) {
    DeclarationParts parts;
    ASSERT_TRUE(SplitDeclaration(c.text, parts, false)) << c.text;
    EXPECT_EQ(parts.type, c.type) << c.text;
    EXPECT_EQ(parts.name, c.name) << c.text;
    EXPECT_EQ(parts.initializer, c.initializer) << c.text;
    EXPECT_EQ(parts.array_count, c.array_count) << c.text;
    EXPECT_EQ(parts.base + parts.parameter_name, "") << c.text;
  }
  // "]" without "[" leaves the "]" as the last separator and so an empty name.
  for (const char* text :
       {"*p", "int *", "", "  // only a comment", "= 5", "int x]", "]", "int f)"}) {
    DeclarationParts parts;
    EXPECT_FALSE(SplitDeclaration(text, parts, false)) << text;
  }
  DeclarationParts parts;
  ASSERT_TRUE(SplitDeclaration("  int n /* x */ = 3 \n", parts, false));
  EXPECT_EQ(parts.declaration, "int n /* x */ = 3");
}

TEST(SplitDeclaration, MemberMode) {
  const struct {
    const char* text;
    const char* prefixes;
    const char* type;
    const char* base;
    const char* parameter;
  } cases[] = {
      {"int m_nCount", "m_", "int", "Count", "n"},
      {"CWnd *m_pWnd", "m_", "CWnd *", "Wnd", "p"},
      {"char* m_pszName", "m_", "char*", "Name", "psz"},
      {"int m_Count", "m_", "int", "Count", "x"},
      {"int m_count", "m_", "int", "count", "x"},
      {"int count", "m_", "int", "count", "x"},
      {"int s_nCount", "m_;s_", "int", "Count", "n"},
      {"int s_nCount", "m_", "int", "_nCount", "s"},
      {"int s_nCount", ";s_", "int", "_nCount", "s"},  // an empty entry ends the list
      {"int m_", "m_", "int", "", "x"},
      {"int nX", "", "int", "X", "n"},
  };
  for (const auto& c : cases) {
    DeclarationParts parts;
    ASSERT_TRUE(SplitDeclaration(c.text, parts, true, c.prefixes)) << c.text;
    EXPECT_EQ(parts.type, c.type) << c.text;
    EXPECT_EQ(parts.base, c.base) << c.text << " / " << c.prefixes;
    EXPECT_EQ(parts.parameter_name, c.parameter) << c.text << " / " << c.prefixes;
  }
  // No separator: a member all the same, without type, base or parameter name.
  DeclarationParts parts;
  ASSERT_TRUE(SplitDeclaration("m_nAlone", parts, true));
  EXPECT_EQ(parts.name + "|" + parts.type + parts.base + parts.parameter_name, "m_nAlone|");
}

TEST(InitialIdentLength, Table) {
  const struct {
    const char* name;
    const char* list;
    std::size_t length;
  } cases[] = {
      {"m_nCount", "m_", 2}, {"s_n", "m_;s_", 2}, {"s_n", "m_;;s_", 0}, {"m_n", "", 0},
      {"m_n", "m_;", 2},     {"M_n", "m_", 0},    {"m", "m_", 0},       {"gx", "m_;s_;g", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(InitialIdentLength(c.name, c.list), c.length) << c.list;
}

TEST(SplitDeclaration, HugeInputFinishes) {
  DeclarationParts parts;
  EXPECT_FALSE(SplitDeclaration(std::string(4 << 20, '[') + "]", parts, true));
  EXPECT_FALSE(SplitDeclaration(std::string(4 << 20, ']'), parts, true));
  std::string text = "int v";
  for (int i = 0; i < 1 << 20; ++i) text += "[1]";
  ASSERT_TRUE(SplitDeclaration(text, parts, false));
  EXPECT_EQ(parts.array_count, 1 << 20);
}

}  // namespace
}  // namespace engine
