// Running the real awk with its redirections: no shell, so every name stays whole.
#include "ferrul/awk_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace ferrul {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

TEST(AwkArguments, AreTheProgramMinusFAndTheScriptAsOneWord) {
  EXPECT_EQ(AwkArguments("awk", "/my dir/ferrul.awk"),
            (std::vector<std::string>{"awk", "-f", "/my dir/ferrul.awk"}));
}

TEST(PosixAwkRunner, NamesWithBlanksQuotesAndDashesStayWhole) {
  const char* names[][2] = {
      {"in put.txt", "out put.txt"},
      {"it's \"quoted\".txt", "$(touch pwned) <x>.txt"},
      {"-input", "-output"},
      {"semi;colon", "amp&er|sand"},
  };
  for (const auto& pair : names) {
    TempDir dir;
    const std::string script = dir.Write("ferrul.awk", "{ print NR \": \" toupper($0) }\n");
    const std::string input = dir.Write(pair[0], "one\ntwo\n");
    PosixAwkRunner awk;
    EXPECT_EQ(awk.Run(script, input, dir.File(pair[1])), AwkResult::kRan) << pair[0];
    EXPECT_EQ(ReadFile(dir.File(pair[1])), "1: ONE\n2: TWO\n") << pair[1];
    EXPECT_FALSE(FileExists(dir.File("pwned")));
  }
}

TEST(PosixAwkRunner, AnOutputNamingTheInputReadsTheInputFirst) {
  TempDir dir;
  const std::string script = dir.Write("ferrul.awk", "{ print \"<\" $0 \">\" }\n");
  const std::string file = dir.Write("text", "a\nb\n");
  PosixAwkRunner awk;
  EXPECT_EQ(awk.Run(script, file, file), AwkResult::kRan);
  EXPECT_EQ(ReadFile(file), "<a>\n<b>\n");
}

TEST(PosixAwkRunner, AnExistingOutputKeepsItsPermissions) {
  TempDir dir;
  const std::string script = dir.Write("ferrul.awk", "{ print }\n");
  const std::string input = dir.Write("in", "x\n");
  const std::string output = dir.Write("out", "old\n");
  ASSERT_EQ(::chmod(output.c_str(), 0640), 0);
  PosixAwkRunner awk;
  ASSERT_EQ(awk.Run(script, input, output), AwkResult::kRan);
  struct stat status {};
  ASSERT_EQ(::stat(output.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(PosixAwkRunner, FailuresLeaveTheOutputAsItWasAndNoTemporaryFile) {
  TempDir dir;
  const std::string script = dir.Write("ferrul.awk", "{ print }\n");
  const std::string input = dir.Write("in", "x\n");
  std::filesystem::create_directory(dir.File("a_directory"));
  struct Case {
    const char* name;
    std::string program;
    std::string input;
    std::string output;
    AwkResult expected;
  } cases[] = {
      {"no awk", "no-such-awk-program", input, dir.File("out"), AwkResult::kCannotStart},
      {"input missing", "awk", dir.File("missing"), dir.File("out"), AwkResult::kInputUnreadable},
      {"input is a directory", "awk", dir.File("a_directory"), dir.File("out"),
       AwkResult::kInputUnreadable},
      {"output is a directory", "awk", input, dir.File("a_directory"),
       AwkResult::kOutputUnwritable},
      {"output directory missing", "awk", input, dir.File("nowhere/out"),
       AwkResult::kOutputUnwritable},
  };
  for (const Case& c : cases) {
    dir.Write("out", "previous\n");
    PosixAwkRunner awk(c.program);
    EXPECT_EQ(awk.Run(script, c.input, c.output), c.expected) << c.name;
    EXPECT_EQ(ReadFile(dir.File("out")), "previous\n") << c.name;
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
      ++entries;
    EXPECT_EQ(entries, 4u) << c.name;  // script, in, out, a_directory
  }
}

}  // namespace
}  // namespace ferrul
