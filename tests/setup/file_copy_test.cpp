// Copying one file of the installation: whole or not at all, never onto itself.
#include "setup/file_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/temp_dir.h"

namespace setup {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

// Writes at most 5 bytes, then fails as a full disk does.
ssize_t WriteUntilDiskFull(int fd, const void* data, std::size_t size) {
  static thread_local std::size_t written = 0;
  if (size == 0) return 0;
  if (written >= 5) {
    written = 0;
    errno = ENOSPC;
    return -1;
  }
  std::size_t n = std::min<std::size_t>(size, 5 - written);
  written += n;
  return ::write(fd, data, n);
}

std::size_t EntryCount(const std::string& directory) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
  return count;
}

struct CopyCase {
  const char* name;
  const char* existing;  // nullptr: no target yet
  bool replace;
  CopyResult expected;
  const char* target_after;
};

TEST(CopyInstallFile, ReplacesOrKeepsTheTarget) {
  const CopyCase cases[] = {
      {"fresh", nullptr, true, CopyResult::kCopied, "new text"},
      {"fresh without replacing", nullptr, false, CopyResult::kCopied, "new text"},
      {"replaced", "old text", true, CopyResult::kCopied, "new text"},
      {"kept", "edited by the user", false, CopyResult::kKeptExisting, "edited by the user"},
  };
  for (const CopyCase& c : cases) {
    TempDir dir;
    const std::string source = dir.Write("source", "new text");
    if (c.existing) dir.Write("target", c.existing);
    EXPECT_EQ(CopyInstallFile(source, dir.File("target"), c.replace), c.expected) << c.name;
    EXPECT_EQ(ReadFile(dir.File("target")), c.target_after) << c.name;
    EXPECT_EQ(EntryCount(dir.path()), 2u) << c.name << ": a temporary file was left";
  }
}

TEST(CopyInstallFile, TheSameFileCountsAsCopiedAndIsNotTouched) {
  TempDir dir;
  const std::string file = dir.Write("quorvan", "program bytes");
  std::filesystem::create_directory(dir.File("medium"));
  ASSERT_EQ(::link(file.c_str(), dir.File("medium/hardlink").c_str()), 0);
  std::filesystem::create_directory_symlink(dir.path(), dir.File("through_link"));
  const std::string targets[] = {file, dir.File("medium/hardlink"),
                                 dir.File("through_link/quorvan"), dir.path() + "/./quorvan"};
  for (const std::string& target : targets) {
    for (bool replace : {true, false}) {
      EXPECT_EQ(CopyInstallFile(file, target, replace), CopyResult::kCopied) << target;
      EXPECT_EQ(ReadFile(file), "program bytes") << target;
    }
  }
}

TEST(CopyInstallFile, KeepsTheSourcesPermissionBits) {
  TempDir dir;
  const std::string source = dir.Write("program", "#!/bin/sh\n");
  ASSERT_EQ(::chmod(source.c_str(), 0755), 0);
  ASSERT_EQ(CopyInstallFile(source, dir.File("copy"), true), CopyResult::kCopied);
  struct stat status {};
  ASSERT_EQ(::stat(dir.File("copy").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0755u);
}

TEST(CopyInstallFile, FailsForUnusableSourcesAndTargets) {
  TempDir dir;
  const std::string source = dir.Write("source", "text");
  std::filesystem::create_directory(dir.File("a_directory"));
  struct Case {
    const char* name;
    std::string source;
    std::string target;
  } cases[] = {
      {"missing source", dir.File("missing"), dir.File("t1")},
      {"source is a directory", dir.File("a_directory"), dir.File("t2")},
      {"target is a directory", source, dir.File("a_directory")},
      {"target directory missing", source, dir.File("nowhere/t3")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CopyInstallFile(c.source, c.target, true), CopyResult::kFailed) << c.name;
  }
  EXPECT_FALSE(FileExists(dir.File("t1")));
  EXPECT_FALSE(FileExists(dir.File("t2")));
}

TEST(CopyInstallFile, AFullDiskLeavesTheOldTargetAndNoTemporaryFile) {
  for (bool existing : {true, false}) {
    TempDir dir;
    const std::string source = dir.Write("source", std::string(100000, 'x'));
    if (existing) dir.Write("target", "old program");
    EXPECT_EQ(CopyInstallFile(source, dir.File("target"), true, &WriteUntilDiskFull),
              CopyResult::kFailed);
    if (existing) {
      EXPECT_EQ(ReadFile(dir.File("target")), "old program");
    } else {
      EXPECT_FALSE(FileExists(dir.File("target")));
    }
    EXPECT_EQ(EntryCount(dir.path()), existing ? 2u : 1u);
  }
}

}  // namespace
}  // namespace setup
