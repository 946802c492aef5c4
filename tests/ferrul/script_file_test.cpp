// The script file's name beside the program, and reading and writing it.
#include "ferrul/script_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace ferrul {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

TEST(ScriptFileName, ReplacesTheExtensionOfTheFileNameOnly) {
  struct Case {
    const char* program;
    const char* script;
  } cases[] = {
      {"/opt/pellmoor/ferrul", "/opt/pellmoor/ferrul.awk"},
      {"/opt/pellmoor/FERRUL.EXE", "/opt/pellmoor/FERRUL.awk"},
      {"/opt/pell.moor/ferrul", "/opt/pell.moor/ferrul.awk"},
      {"/opt/my tools/ferrul.v2.bin", "/opt/my tools/ferrul.v2.awk"},
      {"/opt/.ferrul", "/opt/.ferrul.awk"},
      {"/opt/ferrul.", "/opt/ferrul.awk"},
      {"ferrul", "ferrul.awk"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScriptFileName(c.program), c.script) << c.program;
}

TEST(ReadScript, EndsAtTheFirstZeroAndIsEmptyWhenUnusable) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("a_directory"));
  struct Case {
    std::string path;
    std::string expected;
  } cases[] = {
      {dir.Write("plain.awk", "{ print $1 }\n"), "{ print $1 }\n"},
      {dir.Write("zero.awk", std::string("{ print }\0garbage", 17)), "{ print }"},
      {dir.File("missing.awk"), ""},
      {dir.File("a_directory"), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadScript(c.path), c.expected) << c.path;
}

TEST(WriteScript, WritesTheTextExactlyOrNothing) {
  TempDir dir;
  const std::string path = dir.Write("ferrul.awk", "old script that is longer");
  for (std::string text : {"NR > 1 { print }\r\n", ""}) {
    EXPECT_TRUE(WriteScript(path, text));
    EXPECT_EQ(ReadFile(path), text);
  }
  std::filesystem::create_directory(dir.File("dir.awk"));
  EXPECT_FALSE(WriteScript(dir.File("dir.awk"), "x"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("dir.awk")));
}

}  // namespace
}  // namespace ferrul
