// Placeholders survive the word splitting whatever the template's quoting at their place.
#include "platform/command_template.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/process.h"

namespace platform {
namespace {

TEST(CommandTemplateTest, EachWordCarriesTheExactText) {
  struct Case {
    const char* line;
    const char* filter;
    const char* file;
    std::vector<std::string> words;
  } cases[] = {
      {R"(sh -c "$_Filter < $_Input")",
       R"(grep -v "x y")",
       "/tmp/in",
       {"sh", "-c", R"(grep -v "x y" < /tmp/in)"}},
      {R"(sh -c "$_Filter < $_Input")",
       R"(sed 's/a\b/$X/')",
       "/tmp/a b\"c",
       {"sh", "-c", R"(sed 's/a\b/$X/' < '/tmp/a b"c')"}},
      {R"(sh -c '$_Filter' $_Input)",
       "echo 'it'",
       "/tmp/it's",
       {"sh", "-c", "echo 'it'", "/tmp/it's"}},
      {"$_Filter $_Input", "tr a b", "/tmp/x\\y", {"tr", "a", "b", "/tmp/x\\y"}},
      // An escaped quote does not open a quoted stretch.
      {R"(echo \" $_Input)", "", "a b", {"echo", "\"", "a b"}},
      // The longer placeholder wins over its prefix; inserted text is not searched.
      {"$_Filename $_File", "", "$_Filter", {"$_Filter", "$_Filter"}},
  };
  for (const Case& c : cases) {
    const std::vector<TemplateValue> values = {
        {"$_Filter", c.filter},
        {"$_Input", c.file, true},
        {"$_File", c.file, true},
        {"$_Filename", c.file, true},
    };
    const std::string line = ExpandCommandTemplate(c.line, values);
    std::optional<std::vector<std::string>> words = SplitCommandLine(line);
    ASSERT_TRUE(words) << line;
    EXPECT_EQ(*words, c.words) << c.line << " -> " << line;
  }
}

TEST(CommandTemplateTest, ShellWordQuotesOnlyWhenNeeded) {
  EXPECT_EQ(ShellWord("/tmp/q-1.txt"), "/tmp/q-1.txt");
  EXPECT_EQ(ShellWord("/tmp/it's"), R"('/tmp/it'\''s')");
  EXPECT_EQ(ShellWord(""), "''");
}

}  // namespace
}  // namespace platform
