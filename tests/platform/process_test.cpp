#include "platform/process.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace platform {
namespace {

using Words = std::vector<std::string>;

struct SplitCase {
  const char* line;
  std::optional<Words> words;
};

TEST(SplitCommandLine, FollowsTheShellsQuotingWithoutExpansion) {
  const SplitCase cases[] = {
      {"", Words{}},
      {"  \t ", Words{}},
      {"sort", Words{"sort"}},
      {"  sort   -r\tfile ", Words{"sort", "-r", "file"}},
      {"sh -c \"sort < in > out\"", Words{"sh", "-c", "sort < in > out"}},
      {"a'b c'd", Words{"ab cd"}},
      {"'it''s'", Words{"its"}},
      {"\"\" ''", Words{"", ""}},
      {"a\\ b", Words{"a b"}},
      {"a\\\"b", Words{"a\"b"}},
      {"\"a\\\"b\\\\c\\d\"", Words{"a\"b\\c\\d"}},
      {"'a\\b'", Words{"a\\b"}},
      {"$HOME *.cpp ~ `x`", Words{"$HOME", "*.cpp", "~", "`x`"}},
      {"a\\\nb", Words{"ab"}},
      {"end\\", Words{"end\\"}},
      {"'open", std::nullopt},
      {"\"open", std::nullopt},
      {"\"a\\\"", std::nullopt},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
  }
}

TEST(PosixProcessRunner, WaitsForTheProgramAndIgnoresItsExitStatus) {
  testing_support::TempDir dir;
  PosixProcessRunner runner;
  std::string done = dir.File("done");
  EXPECT_TRUE(runner.RunAndWait("sh -c 'sleep 0.1; echo ok > \"$0\"; exit 3' " + done, 0));
  EXPECT_EQ(testing_support::ReadFile(done), "ok\n");
}

TEST(PosixProcessRunner, FailsWhenNothingCanBeStarted) {
  PosixProcessRunner runner;
  EXPECT_FALSE(runner.RunAndWait("", 1));
  EXPECT_FALSE(runner.RunAndWait("   ", 1));
  EXPECT_FALSE(runner.RunAndWait("'unterminated", 1));
  EXPECT_FALSE(runner.RunAndWait("no-such-program-brk-test", 1));
}

TEST(PosixProcessRunner, HiddenConnectsTheStandardStreamsToDevNull) {
  testing_support::TempDir dir;
  PosixProcessRunner runner;
  std::string where = dir.File("where");
  // The substitutions read the shell's own descriptors before any redirection.
  std::string probe =
      "sh -c 'x=\"$(readlink /proc/$$/fd/0) $(readlink /proc/$$/fd/1) "
      "$(readlink /proc/$$/fd/2)\"; echo \"$x\" > \"$0\"' " + where;
  ASSERT_TRUE(runner.RunAndWait(probe, kShowHidden));
  EXPECT_EQ(testing_support::ReadFile(where), "/dev/null /dev/null /dev/null\n");
  ASSERT_TRUE(runner.RunAndWait(probe, kShowNormal));
  EXPECT_NE(testing_support::ReadFile(where), "/dev/null /dev/null /dev/null\n");
}

}  // namespace
}  // namespace platform
