#include "tallowik/windowless_options.h"

#include <gtest/gtest.h>

namespace tallowik {
namespace {

using Strings = std::vector<std::string>;

TEST(ParseCommandLine, SeparatesOptionsFromTheProjectArguments) {
  const struct {
    Strings args;
    Strings positional;
    bool windowless;
    const char* error;
  } cases[] = {
      {{"MYAPP.MAK", "/p"}, {"MYAPP.MAK", "/p"}, false, ""},
      {{"A", "/N", "/p", "--class", "CView"}, {"A", "/N", "/p"}, true, ""},
      {{"--class=CView", "A", "/p"}, {"A", "/p"}, true, ""},
      {{"A", "/p", "--description", "/N"}, {"A", "/p"}, true, "the options need --class NAME"},
      {{"A", "/p", "--class"}, {"A", "/p"}, true, "--class needs a value"},
      {{"A", "/p", "--colour", "red", "--class", "X"},
       {"A", "/p", "red"},
       true,
       "unknown option --colour"},
      {{"A", "/p", "--class", "X", "--clw", "--no-clw"},
       {"A", "/p"},
       true,
       "--clw and --no-clw exclude each other"},
      {{"A", "/p", "--class", "X", "--clw=1"}, {"A", "/p"}, true, "--clw takes no value"},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.positional, c.positional) << ::testing::PrintToString(c.args);
    EXPECT_EQ(parsed.windowless, c.windowless) << ::testing::PrintToString(c.args);
    EXPECT_EQ(parsed.usage_error, c.error) << ::testing::PrintToString(c.args);
  }
}

TEST(ParseCommandLine, TakesEveryOptionsValueWhole) {
  const Strings args{"P",        "D",          "--class",    "C My \"Class\"", "--category=Dia",
                     "--base",   "",           "--resource", "IDD_X",          "--description",
                     "--clw",    "--specific", "$_Date",     "--header",       "my.h",
                     "--source", "src/my.cpp", "--no-clw"};
  const ParsedCommandLine parsed = ParseCommandLine(args);
  ASSERT_EQ(parsed.usage_error, "");
  const WindowlessOptions& o = parsed.options;
  EXPECT_EQ(o.class_name, "C My \"Class\"");
  EXPECT_EQ(o.category, "Dia");
  EXPECT_EQ(o.base_class, "");
  EXPECT_EQ(o.resource, "IDD_X");
  EXPECT_EQ(o.description, "--clw") << "a value may look like an option";
  EXPECT_EQ(o.specific, "$_Date");
  EXPECT_EQ(o.header, "my.h");
  EXPECT_EQ(o.source, "src/my.cpp");
  EXPECT_EQ(o.add_to_clw, false);
  EXPECT_TRUE(ParseCommandLine(Strings{"--help"}).help);
}

}  // namespace
}  // namespace tallowik
