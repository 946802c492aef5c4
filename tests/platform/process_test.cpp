#include "platform/process.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <csignal>
#include <fstream>

#include "platform/interrupt_guard.h"
#include "support/child_process.h"
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
      "$(readlink /proc/$$/fd/2)\"; echo \"$x\" > \"$0\"' " +
      where;
  ASSERT_TRUE(runner.RunAndWait(probe, kShowHidden));
  EXPECT_EQ(testing_support::ReadFile(where), "/dev/null /dev/null /dev/null\n");
  ASSERT_TRUE(runner.RunAndWait(probe, kShowNormal));
  EXPECT_NE(testing_support::ReadFile(where), "/dev/null /dev/null /dev/null\n");
}

// True while `pid` exists and is not a zombie.
bool Running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && line.size() > close + 2 && line[close + 2] != 'Z';
}

TEST(PosixProcessRunner, AnInterruptionEndsTheChildAndWhatItStarted) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    testing_support::TempDir dir;
    const std::string pid_file = dir.File("sleeper");
    PosixProcessRunner runner;
    InterruptGuard guard;
    // The child starts a grandchild, then signals us as a user would.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(runner.RunAndWait("sh -c 'sleep 30 & echo $! > \"$0\"; kill -" +
                                       std::to_string(signal_number) + " $PPID; wait' " + pid_file,
                                   kShowHidden));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(InterruptGuard::Received(), signal_number);
    const pid_t sleeper = std::stoi(testing_support::ReadFile(pid_file));
    EXPECT_TRUE(testing_support::WaitUntil([&] { return !Running(sleeper); }, 5000));
    // Once interrupted, nothing more is started under the same guard.
    EXPECT_FALSE(runner.RunAndWait("true", kShowHidden));
  }
}

TEST(InterruptGuard, NestsAndRestoresTheHandlers) {
  struct sigaction before {};
  sigaction(SIGTERM, nullptr, &before);
  {
    InterruptGuard outer;
    EXPECT_GE(InterruptGuard::WakeDescriptor(), 0);
    {
      InterruptGuard inner;
      raise(SIGTERM);
    }
    // The inner guard's end keeps the outer's record.
    EXPECT_EQ(InterruptGuard::Received(), SIGTERM);
  }
  EXPECT_EQ(InterruptGuard::Received(), 0);
  EXPECT_EQ(InterruptGuard::WakeDescriptor(), -1);
  struct sigaction after {};
  sigaction(SIGTERM, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
}  // namespace platform
