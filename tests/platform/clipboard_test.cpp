#include "platform/clipboard.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

TEST(ClipboardStore, SerializesFormatsInOrderWithByteCounts) {
  ClipboardContents contents{
      {"MSVCColumnSelect", "\1"}, {"CF_TEXT", "a\nb"}, {"Quorvan Format", "\1"}};
  std::string text = SerializeClipboard(contents);
  EXPECT_EQ(text,
            "BRACKWATER-CLIPBOARD 1\nMSVCColumnSelect\n1\n\1\nCF_TEXT\n3\na\nb\n"
            "Quorvan Format\n1\n\1\n");
  EXPECT_EQ(ParseClipboard(text), contents);
  EXPECT_EQ(ParseClipboard(SerializeClipboard({})), ClipboardContents{});
  EXPECT_EQ(ParseClipboard(""), ClipboardContents{});
}

TEST(ClipboardStore, RejectsFilesThatDoNotParse) {
  const char* broken[] = {
      "BRACKWATER-CLIPBOARD 2\n",
      "garbage",
      "BRACKWATER-CLIPBOARD 1\nCF_TEXT\n",
      "BRACKWATER-CLIPBOARD 1\nCF_TEXT\n5\nabc\n",  // short data
      "BRACKWATER-CLIPBOARD 1\nCF_TEXT\n2\nabc\n",  // no line feed after the data
      "BRACKWATER-CLIPBOARD 1\nCF_TEXT\n-1\nabc\n",
      "BRACKWATER-CLIPBOARD 1\nCF_TEXT\n99999999999999999999\n",
      "BRACKWATER-CLIPBOARD 1\n\n0\n\n",           // empty name
      "BRACKWATER-CLIPBOARD 1\nA\n0\n\nA\n0\n\n",  // a format twice
  };
  for (const char* text : broken) EXPECT_EQ(ParseClipboard(text), std::nullopt) << text;
}

TEST(FileClipboard, RegisteredNamesGetStableNumbersIgnoringCase) {
  TempDir dir;
  FileClipboard clipboard(dir.path());
  Clipboard::Format first = clipboard.RegisterFormat("Quorvan Format");
  EXPECT_GE(first, Clipboard::kFirstRegistered);
  EXPECT_EQ(clipboard.RegisterFormat("QUORVAN FORMAT"), first);
  EXPECT_NE(clipboard.RegisterFormat("MSVCColumnSelect"), first);
  EXPECT_EQ(clipboard.RegisterFormat("cf_text"), Clipboard::kText);
  EXPECT_EQ(clipboard.RegisterFormat(""), 0u);
  EXPECT_EQ(clipboard.RegisterFormat("two\nlines"), 0u);
}

TEST(FileClipboard, WritesTheStoreOnCloseAndOnlyWhenChanged) {
  TempDir dir;
  FileClipboard clipboard(dir.path());
  ASSERT_TRUE(clipboard.Open());
  EXPECT_FALSE(clipboard.Open());  // already open
  EXPECT_TRUE(clipboard.Empty());
  EXPECT_TRUE(clipboard.SetData(Clipboard::kText, "hello"));
  EXPECT_FALSE(testing_support::FileExists(clipboard.StorePath()));
  EXPECT_TRUE(clipboard.Close());
  EXPECT_EQ(ReadFile(clipboard.StorePath()), "BRACKWATER-CLIPBOARD 1\nCF_TEXT\n5\nhello\n");

  FileClipboard other(dir.path());
  EXPECT_TRUE(other.IsFormatAvailable(Clipboard::kText));
  ASSERT_TRUE(other.Open());
  EXPECT_EQ(other.GetData(Clipboard::kText), "hello");
  EXPECT_EQ(other.GetData(other.RegisterFormat("Rich Text Format")), std::nullopt);
  EXPECT_TRUE(other.Close());
  EXPECT_FALSE(other.Close());
  EXPECT_FALSE(other.SetData(Clipboard::kText, "closed"));
}

TEST(FileClipboard, ABrokenStoreIsEmptyAndAWriteReplacesIt) {
  TempDir dir;
  FileClipboard clipboard(dir.path());
  dir.Write("clipboard", "not a clipboard");
  EXPECT_FALSE(clipboard.IsFormatAvailable(Clipboard::kText));
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.GetData(Clipboard::kText), std::nullopt);
  clipboard.SetData(Clipboard::kText, "x");
  ASSERT_TRUE(clipboard.Close());
  EXPECT_EQ(ParseClipboard(ReadFile(clipboard.StorePath())), (ClipboardContents{{"CF_TEXT", "x"}}));
}

TEST(FileClipboard, OpenFailsWhileAnotherHolderKeepsTheLock) {
  TempDir dir;
  FileClipboard clipboard(dir.path());
  ASSERT_TRUE(clipboard.Open());
  ASSERT_TRUE(clipboard.Close());
  int fd = open(dir.File("clipboard.lock").c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  clipboard.SetOpenTimeoutMs(50);
  EXPECT_FALSE(clipboard.Open());
  EXPECT_FALSE(clipboard.SetData(Clipboard::kText, "x"));
  close(fd);
  EXPECT_TRUE(clipboard.Open());
}

TEST(FileClipboard, DestructionStoresWhatWasSet) {
  TempDir dir;
  {
    FileClipboard clipboard(dir.path());
    ASSERT_TRUE(clipboard.Open());
    clipboard.SetData(Clipboard::kText, "kept");
  }
  EXPECT_EQ(ParseClipboard(ReadFile(dir.File("clipboard"))),
            (ClipboardContents{{"CF_TEXT", "kept"}}));
}

}  // namespace
}  // namespace platform
