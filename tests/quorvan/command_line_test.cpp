#include "quorvan/command_line.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using Args = std::vector<std::string>;

struct ActionCase {
  Args args;
  int action;
};

TEST(ActionFromCommandLine, TheLowestDigitAmongWholeArgumentSwitchesWins) {
  const ActionCase cases[] = {
      {{}, -1},
      {{"/0"}, 0},
      {{"-9"}, 9},
      {{"/3", "/1"}, 1},
      {{"/F", "/0", "/5"}, 5},    // "/0" is the value of "/F"
      {{"/F/0", "/7"}, 7},        // and so is the rest of "/F/0"
      {{"/src/0/main.cpp"}, -1},  // a path is not a switch
      {{"/01"}, -1},
      {{"0"}, -1},
      {{"/E", "/2", "/4"}, 4},
      {{"/x", "/8"}, 8},
  };
  for (const ActionCase& c : cases) {
    EXPECT_EQ(ActionFromCommandLine(c.args), c.action) << ::testing::PrintToString(c.args);
  }
}

struct SwitchCase {
  Args args;
  const char* switch_text;
  bool found;
  std::string value;
};

TEST(SwitchArgument, TakesTheNextArgumentOrTheRestOfTheSameOne) {
  const SwitchCase cases[] = {
      {{"/1"}, "/F", false, "untouched"},
      {{"/1", "/F", "/Src/Main.cpp"}, "/F", true, "/Src/Main.cpp"},
      {{"/1", "-f", "main.CPP"}, "/F", true, "main.CPP"},
      {{"/FMain.cpp"}, "/F", true, "Main.cpp"},
      {{"/1", "/F"}, "/F", true, ""},
      {{"/F", "a b.cpp", "/F", "second"}, "/F", true, "a b.cpp"},
      {{"/e", "sort -r"}, "/E", true, "sort -r"},
      {{"/E", "/F"}, "/F", false, "untouched"},  // "/F" is the value of "/E"
      {{"/F", "x"}, "/B", false, "untouched"},   // not a switch with a value
  };
  for (const SwitchCase& c : cases) {
    std::string value = "untouched";
    EXPECT_EQ(SwitchArgument(c.args, c.switch_text, value), c.found)
        << ::testing::PrintToString(c.args);
    EXPECT_EQ(value, c.value) << ::testing::PrintToString(c.args);
  }
}

struct ValuesCase {
  Args args;
  std::string file_name;
  bool has_filter;
  std::string filter;
  int type;
  int show_state;
};

TEST(ReadCommandLine, CollectsTheFileAndTheFilterRequest) {
  const ValuesCase cases[] = {
      {{"/4"}, "Unknown", false, "", kRedirectFilter, 1},
      {{"/4", "/E", "sort"}, "Unknown", true, "sort", kRedirectFilter, 1},
      {{"/4", "/E", "myfilt -x", "/b"}, "Unknown", true, "myfilt -x", kFileFilter, 1},
      {{"/4", "/L", "/B", "/E", "\"tr a b\""}, "Unknown", true, "tr a b", kLiteralFilter, 1},
      {{"/4", "/L", "/E", "\"say \\\"hi\\\"\" tail"},
       "Unknown",
       true,
       "say \"hi\"",
       kLiteralFilter,
       1},
      {{"/4", "/L", "/E", "no quotes"}, "Unknown", true, "no quotes", kLiteralFilter, 1},
      {{"/4", "/B", "/E", "\"quoted\""}, "Unknown", true, "\"quoted\"", kFileFilter, 1},
      {{"/4", "-h", "/E", "cat"}, "Unknown", true, "cat", kRedirectFilter, 0},
      {{"/8", "/F", "/Work/Main.CPP"}, "/Work/Main.CPP", false, "", kRedirectFilter, 1},
      {{"/1", "/F"}, "", false, "", kRedirectFilter, 1},
  };
  for (const ValuesCase& c : cases) {
    CommandLineValues values = ReadCommandLine(c.args);
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(values.file_name, c.file_name);
    EXPECT_EQ(values.has_filter_command, c.has_filter);
    EXPECT_EQ(values.filter_command, c.filter);
    EXPECT_EQ(values.filter_type, c.type);
    EXPECT_EQ(values.show_state, c.show_state);
  }
}

}  // namespace
}  // namespace quorvan

namespace quorvan {
namespace {

struct FilterOptionCase {
  Args args;
  bool filter;
  int action;
};

TEST(ReadCommandLine, FilterModeIsAWholeArgumentThatIsNoSwitchValue) {
  const FilterOptionCase cases[] = {
      {{"/0", "--filter"}, true, 0},        {{"--FILTER", "-2"}, true, 2},
      {{"/4", "/E", "--filter"}, false, 4},  // the filter command
      {{"/1", "/F", "--filter"}, false, 1},  // the file name
      {{"/1", "/F--filter"}, false, 1},     {{"/0", "--filter=x"}, false, 0},
      {{"/0", "-filter"}, false, 0},        {{"--filter"}, true, -1},
  };
  for (const FilterOptionCase& c : cases) {
    CommandLineValues values = ReadCommandLine(c.args);
    EXPECT_EQ(values.filter, c.filter) << ::testing::PrintToString(c.args);
    EXPECT_EQ(values.action, c.action) << ::testing::PrintToString(c.args);
  }
}

}  // namespace
}  // namespace quorvan
