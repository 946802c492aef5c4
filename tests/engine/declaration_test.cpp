#include "engine/declaration.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

struct SplitCase {
  const char* text;
  bool ok;
  const char* type;
  const char* name;
  const char* initializer;
  int array_count;
};

TEST(SplitDeclaration, Table) {
  const SplitCase cases[] = {
      {"const CString& strName = 0", true, "const CString&", "strName", "0", 0},
      {"int n = f(a, b)", true, "int", "n", "f(a, b)", 0},
      {"int n // count", true, "int", "n", "", 0},
      {"int /* count */ n", true, "int", "n", "", 0},
      {"char szBuf[10][20]", true, "char", "szBuf", "", 2},
      {"int aValues[10]", true, "int", "aValues", "", 1},
      {"int a [ 3 ] ", true, "int", "a", "", 1},
      {"DECL(x)", true, "", "DECL(x)", "", 0},
      {"int DECL(x)", true, "int", "DECL(x)", "", 0},
      {"char *psz", true, "char *", "psz", "", 0},
      {"char* psz", true, "char*", "psz", "", 0},
      {"CString &str", true, "CString &", "str", "", 0},
      {"char **ppsz", true, "char * *", "ppsz", "", 0},
      {"int", true, "", "int", "", 0},
      {"...", true, "", "...", "", 0},
      {"int x, ...", true, "", "...", "", 0},
      {"*p", false, "", "p", "", 0},
      {"int *", false, "", "", "", 0},
      {"", false, "", "", "", 0},
      {"  // only a comment", false, "", "", "", 0},
      {"= 5", false, "", "", "", 0},
      {"int x]", false, "", "", "", 0},   // "]" without "[": no count, empty name
      {"]", false, "", "", "", 0},
      {"void (*pfn)(int)", true, "void (*pfn )", "(int)", "", 0},
      {"int f)", false, "", "", "", 0},  // a lone ")" separates like any other
  };
  for (const SplitCase& c : cases) {
    DeclarationParts parts;
    bool ok = SplitDeclaration(c.text, parts, false);
    EXPECT_EQ(ok, c.ok) << c.text;
    if (!ok || !c.ok) continue;
    EXPECT_EQ(parts.type, c.type) << c.text;
    EXPECT_EQ(parts.name, c.name) << c.text;
    EXPECT_EQ(parts.initializer, c.initializer) << c.text;
    EXPECT_EQ(parts.array_count, c.array_count) << c.text;
    EXPECT_EQ(parts.base, "") << c.text;
  }
}

TEST(SplitDeclaration, KeepsTheTrimmedTextBeforeCommentRemoval) {
  DeclarationParts parts;
  ASSERT_TRUE(SplitDeclaration("  int n /* x */ = 3 \n", parts, false));
  EXPECT_EQ(parts.declaration, "int n /* x */ = 3");
}

TEST(SplitDeclaration, MemberMode) {
  struct Case {
    const char* text;
    const char* prefixes;
    const char* base;
    const char* parameter;
  } cases[] = {
      {"int m_nCount", "m_", "Count", "n"},
      {"char* m_pszName", "m_", "Name", "psz"},
      {"int m_Count", "m_", "Count", "x"},
      {"int m_count", "m_", "count", "x"},
      {"int count", "m_", "count", "x"},
      {"int s_nCount", "m_;s_", "Count", "n"},
      {"int s_nCount", "m_", "_nCount", "s"},
      {"int s_nCount", ";s_", "_nCount", "s"},  // an empty entry ends the list
      {"int m_", "m_", "", "x"},
      {"int m_n", "m_", "n", "x"},
      {"int nX", "", "X", "n"},
  };
  for (const Case& c : cases) {
    DeclarationParts parts;
    ASSERT_TRUE(SplitDeclaration(c.text, parts, true, c.prefixes)) << c.text;
    EXPECT_EQ(parts.base, c.base) << c.text << " / " << c.prefixes;
    EXPECT_EQ(parts.parameter_name, c.parameter) << c.text << " / " << c.prefixes;
  }
  DeclarationParts parts;
  ASSERT_TRUE(SplitDeclaration("m_nAlone", parts, true));
  EXPECT_EQ(parts.name, "m_nAlone");
  EXPECT_EQ(parts.base, "");
  EXPECT_EQ(parts.parameter_name, "");
}

TEST(InitialIdentLength, Table) {
  struct Case {
    const char* name;
    const char* list;
    std::size_t length;
  } cases[] = {
      {"m_nCount", "m_", 2}, {"s_n", "m_;s_", 2}, {"s_n", "m_;;s_", 0}, {"m_n", "", 0},
      {"m_n", "m_;", 2},     {"M_n", "m_", 0},    {"m", "m_", 0},       {"g_x", "m_;s_;g_", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(InitialIdentLength(c.name, c.list), c.length) << c.list;
}

TEST(SplitDeclaration, HugeAndOddInputFinishes) {
  std::string text(4 << 20, '[');
  text += ']';
  DeclarationParts parts;
  EXPECT_FALSE(SplitDeclaration(text, parts, true));
  std::string nuls("int\0n", 5);
  EXPECT_TRUE(SplitDeclaration(nuls, parts, false));
  EXPECT_EQ(parts.name, std::string("int\0n", 5));
}

}  // namespace
}  // namespace engine
