#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

int FailingRename(const char*, const char*) {
  errno = EXDEV;
  return -1;
}

TEST(ReplaceFileAtomically, FailureLeavesTheOldFileAndNoTemporary) {
  TempDir dir;
  std::string path = dir.Write("f.ini", "old\r\n");
  EXPECT_FALSE(ReplaceFileAtomically(path, "new", &FailingRename));
  EXPECT_EQ(ReadFile(path), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(ReplaceFileAtomically, NewFileTakesTheUmask) {
  TempDir dir;
  mode_t old_mask = umask(027);
  bool ok = ReplaceFileAtomically(dir.File("new.ini"), std::string(1 << 20, 'x'));
  umask(old_mask);
  ASSERT_TRUE(ok);
  struct stat st {};
  ASSERT_EQ(stat(dir.File("new.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(st.st_size, 1 << 20);
}

TEST(ReadWholeFile, TellsMissingFromUnreadable) {
  TempDir dir;
  std::string path = dir.Write("f", std::string("a\0b", 3));
  EXPECT_EQ(ReadWholeFile(path).bytes, std::string("a\0b", 3));
  EXPECT_EQ(ReadWholeFile(dir.File("none")).status, FileContents::Status::kMissing);
  EXPECT_EQ(ReadWholeFile(path + "/below").status, FileContents::Status::kMissing);
  EXPECT_EQ(ReadWholeFile(dir.path()).status, FileContents::Status::kUnreadable);
}

}  // namespace
}  // namespace platform
