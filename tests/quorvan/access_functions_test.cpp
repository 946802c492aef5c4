#include "quorvan/actions/access_functions.h"

#include <gtest/gtest.h>

#include "fake_app.h"
#include "quorvan/action_table.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using testing_support::TempDir;

std::string Get(const std::string& type, const std::string& base, const std::string& name) {
  return "\t" + type + "\tGet" + base + "()\tconst\t{ return " + name + "; }\r\n";
}
std::string Set(const std::string& type, const std::string& base, const std::string& name,
                const std::string& parameter) {
  return "\t" + type + "\tSet" + base + "( " + type + " " + parameter + ")\t{ return " + name +
         " = " + parameter + "; }\r\n";
}

TEST(GenerateAccessFunctions, TheBuiltInTemplatesByVariableAndByAction) {
  TempDir dir;
  std::string control = dir.Write("ACCFCN.CTL", "[Control]\n");
  EXPECT_EQ(GenerateAccessFunctions("int m_nCount;", control, kGroupByVariable, nullptr),
            "int m_nCount;\r\n"
            "\tint\tGetCount()\tconst\t{ return m_nCount; }\r\n"
            "\tint\tSetCount( int n)\t{ return m_nCount = n; }\r\n");
  std::string two = "int m_nCount; CString m_strName;";
  EXPECT_EQ(GenerateAccessFunctions(two, control, kGroupByVariable, nullptr),
            two + "\r\n" + Get("int", "Count", "m_nCount") + Set("int", "Count", "m_nCount", "n") +
                Get("CString", "Name", "m_strName") + Set("CString", "Name", "m_strName", "str"));
  EXPECT_EQ(GenerateAccessFunctions(two, control, kGroupByAction, nullptr),
            two + "\r\n" + Set("int", "Count", "m_nCount", "n") +
                Set("CString", "Name", "m_strName", "str") + Get("int", "Count", "m_nCount") +
                Get("CString", "Name", "m_strName"));
  // Any value other than 1002 groups by variable.
  EXPECT_EQ(GenerateAccessFunctions(two, control, 0, nullptr),
            GenerateAccessFunctions(two, control, kGroupByVariable, nullptr));
}

struct MemberCase {
  const char* declarations;
  std::string expected;  // the generated text after the declarations and "\r\n"
};

TEST(GenerateAccessFunctions, TypeSectionsPrefixesAndOddPieces) {
  TempDir dir;
  std::string control = dir.Write("ACCFCN.CTL",
                                  "[Control]\n"
                                  "InitialIdentStrings=m_;s_\n"
                                  "DefaultGetTemplate=G($_MemberType|$_FcnBase|$_EquateName)\\n\n"
                                  "DefaultPutTemplate=\n"
                                  "[charARRAY]\n"
                                  "GetTemplate=CA($_MemberName)\\n\n"
                                  "[intARRAYARRAY]\n"
                                  "GetTemplate=IAA($_MemberName)\\n\n"
                                  "[CWnd*]\n"
                                  "GetTemplate=W($_MemberType)\\n\n"
                                  "[long]\n"
                                  "EquateName=value\n"
                                  "[unsignedlong]\n"
                                  "EquateName=\n");
  const MemberCase cases[] = {
      {"char m_szBuf[80];", "CA(m_szBuf)\n"},
      {"int m_a[2][3];", "IAA(m_a)\n"},
      {"short m_a[2];", "G(short|a|x)\n"},  // no shortARRAY section: the defaults
      {"CWnd *m_pWnd; CWnd* m_pWnd2;", "W(CWnd *)\nW(CWnd*)\n"},
      {"int s_nCount;", "G(int|Count|n)\n"},
      {"long m_lSize; int m_nSize;", "G(long|Size|value)\nG(int|Size|n)\n"},
      {"unsigned long m_dwMask;", "G(unsigned long|Mask|)\n"},
      {"int m_nCount = 0;", "G(int|Count|n)\n"},
      {"int m_a, m_b;", "G(int m_a,|b|x)\n"},
      {"int m_n; // count\nint m_k;\n// the end", "G(int|n|x)\nG(int|k|x)\n"},
      {";;int m_nA;;; ;int m_nB;;", "G(int|A|n)\nG(int|B|n)\n"},
      {"m_nAlone;", "G(||)\n"},  // a name without a type still counts
      {" = 5; ", ""},
      {"", ""},
  };
  for (const MemberCase& c : cases) {
    EXPECT_EQ(GenerateAccessFunctions(c.declarations, control, kGroupByVariable, nullptr),
              std::string(c.declarations) + "\r\n" + c.expected)
        << c.declarations;
  }
}

TEST(GenerateAccessFunctions, HeadingsAndSeparatorsAreExpandedAndTranslated) {
  TempDir dir;
  std::string control = dir.Write("ACCFCN.CTL",
                                  "[Control]\n"
                                  "InitialIdentStrings=m_\n"
                                  "DefaultGetTemplate=get $_FcnBase\\n\n"
                                  "DefaultPutTemplate=set $_FcnBase\\n\n"
                                  "GetSectionSeperator=[gets$_MemberName]\\n\n"
                                  "PutSectionSeperator=ignored: read from Options\n"
                                  "[Options]\n"
                                  "PutSectionSeperator=[sets]\\t\\101\\x41\\n\n"
                                  "FunctionSectionSeperator=-- $_MemberName --\\n\n");
  std::string text = "int m_nA; int m_nB;";
  EXPECT_EQ(GenerateAccessFunctions(text, control, kGroupByAction, nullptr),
            text + "\r\n[sets]\tAA\nset A\nset B\n[gets]\nget A\nget B\n");
  EXPECT_EQ(GenerateAccessFunctions(text, control, kGroupByVariable, nullptr),
            text + "\r\n-- m_nA --\nget A\nset A\n-- m_nB --\nget B\nset B\n");
  EXPECT_EQ(GenerateAccessFunctions("", control, kGroupByAction, nullptr),
            "\r\n[sets]\tAA\n[gets]\n");
}

TEST(TypeSectionName, DropsWhiteSpaceAddsArraysAndStaysShort) {
  engine::DeclarationParts member;
  member.type = " unsigned \t long ";
  member.array_count = 2;
  EXPECT_EQ(TypeSectionName(member), "unsignedlongARRAYARRAY");
  member.type = std::string(300, 'T');
  member.array_count = 0;
  EXPECT_EQ(TypeSectionName(member).size(), 255u);
}

using Fixture = FakeApp;

TEST(AccessFunctionsAction, CopiesReadsWritesAndLetsTheDispatcherPaste) {
  TempDir dir;
  Fixture f;
  f.settings.WriteSetting("Defaults", "Access Member File", dir.Write("A.CTL", "[Control]\n"));
  f.settings.WriteSettingNumber("Defaults", "Member Grouping", kGroupByVariable);
  f.ide.on_copy = [&] {
    f.clipboard.Put("CF_TEXT", "int m_nCount;");
    f.clipboard.Put("MSVCColumnSelect", "\1");
  };
  ASSERT_TRUE(RunAction(f.app, 2));
  EXPECT_EQ(f.ide.requests, (std::vector<std::string>{"copy", "paste"}));
  EXPECT_EQ(f.clipboard.Get("CF_TEXT"), "int m_nCount;\r\n" + Get("int", "Count", "m_nCount") +
                                            Set("int", "Count", "m_nCount", "n"));
  EXPECT_EQ(f.clipboard.Get("MSVCColumnSelect"), "\1");
  EXPECT_EQ(f.app.ColumnSelection, 0);

  // Its own output is marked: the second run asks, and No changes nothing.
  f.ide.on_copy = nullptr;
  auto before = f.clipboard.contents();
  EXPECT_FALSE(RunAction(f.app, 2));
  EXPECT_EQ(f.ui.questions.size(), 1u);
  EXPECT_EQ(f.ui.beeps, 1);
  EXPECT_EQ(f.clipboard.contents(), before);
}

TEST(AccessFunctionsAction, FailsWithoutItsControlFile) {
  Fixture f;
  f.settings.WriteSetting("Defaults", "Access Member File", "/no/such/ACCFCN.CTL");
  f.clipboard.Put("CF_TEXT", "int m_n;");
  EXPECT_FALSE(RunAction(f.app, 2));
  EXPECT_EQ(f.clipboard.contents(), (platform::ClipboardContents{{"CF_TEXT", "int m_n;"}}));
  EXPECT_EQ(f.ui.beeps, 1);
}

}  // namespace
}  // namespace quorvan
