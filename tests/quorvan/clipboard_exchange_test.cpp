#include "quorvan/clipboard_exchange.h"

#include <gtest/gtest.h>

#include "quorvan/scripted_ui.h"

namespace quorvan {
namespace {

using platform::ClipboardContents;
using platform::MemoryClipboard;

TEST(ReadClipboardText, ReadsTextUpToItsFirstZeroAndTheColumnMarker) {
  MemoryClipboard clipboard;
  ScriptedUserInterface ui;
  clipboard.Put("CF_TEXT", std::string("int f();\0junk", 13));
  clipboard.Put("MSVCColumnSelect", "\1");
  std::string text;
  int column = 0;
  ASSERT_TRUE(ReadClipboardText(clipboard, ui, text, true, &column));
  EXPECT_EQ(text, "int f();");
  EXPECT_EQ(column, 1);
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_FALSE(clipboard.is_open());

  clipboard.Put("MSVCColumnSelect", "");  // present with any data counts
  clipboard = MemoryClipboard();
  clipboard.Put("CF_TEXT", "x");
  ASSERT_TRUE(ReadClipboardText(clipboard, ui, text, false, &column));
  EXPECT_EQ(column, 0);
}

struct QuestionCase {
  bool ask;
  std::deque<bool> answers;
  bool read;
  std::size_t questions;
};

TEST(ReadClipboardText, ProcessedTextIsReadAgainOnlyAfterYes) {
  const QuestionCase cases[] = {
      {true, {true}, true, 1},
      {true, {false}, false, 1},
      {true, {}, false, 1},  // no answer counts as No
      {false, {}, true, 0},
  };
  for (const QuestionCase& c : cases) {
    MemoryClipboard clipboard;
    ScriptedUserInterface ui;
    ui.answers = c.answers;
    clipboard.Put("CF_TEXT", "done");
    clipboard.Put("Quorvan Format", "\1");
    std::string text = "before";
    EXPECT_EQ(ReadClipboardText(clipboard, ui, text, c.ask, nullptr), c.read);
    EXPECT_EQ(text, c.read ? "done" : "before");
    ASSERT_EQ(ui.questions.size(), c.questions);
    if (c.questions) EXPECT_EQ(ui.questions[0], kProcessedQuestion);
    EXPECT_EQ(clipboard.opens, c.read ? 1 : 0) << "No never opens the clipboard";
  }
}

TEST(ReadClipboardText, FailsWithoutTheFormatOrWhenTheClipboardWillNotOpen) {
  MemoryClipboard clipboard;
  ScriptedUserInterface ui;
  std::string text = "before";
  int column = 7;
  EXPECT_FALSE(ReadClipboardText(clipboard, ui, text, true, &column));
  clipboard.Put("CF_TEXT", "text");
  EXPECT_FALSE(ReadClipboardText(clipboard, ui, text, true, &column,
                                 clipboard.RegisterFormat("Rich Text Format")));
  EXPECT_FALSE(clipboard.is_open());
  clipboard.refuse_open = true;
  EXPECT_FALSE(ReadClipboardText(clipboard, ui, text, true, &column));
  EXPECT_EQ(text, "before");
  EXPECT_EQ(column, 7);
}

TEST(WriteClipboardText, ReplacesEverythingWithTheTextAndTheMarkersInOrder) {
  MemoryClipboard clipboard;
  clipboard.Put("Rich Text Format", "{\\rtf1}");
  ASSERT_TRUE(WriteClipboardText(clipboard, "result", 1));
  EXPECT_EQ(clipboard.contents(),
            (ClipboardContents{
                {"MSVCColumnSelect", "\1"}, {"CF_TEXT", "result"}, {"Quorvan Format", "\1"}}));
  ASSERT_TRUE(WriteClipboardText(clipboard, std::string("cut\0here", 8), 0));
  EXPECT_EQ(clipboard.contents(),
            (ClipboardContents{{"CF_TEXT", "cut"}, {"Quorvan Format", "\1"}}));
}

TEST(WriteClipboardText, AnEmptyTextOrAClosedClipboardChangesNothing) {
  MemoryClipboard clipboard;
  clipboard.Put("CF_TEXT", "old");
  EXPECT_FALSE(WriteClipboardText(clipboard, "", 1));
  EXPECT_FALSE(WriteClipboardText(clipboard, std::string("\0x", 2), 0));
  clipboard.refuse_open = true;
  EXPECT_FALSE(WriteClipboardText(clipboard, "new", 0));
  EXPECT_EQ(clipboard.contents(), (ClipboardContents{{"CF_TEXT", "old"}}));
  EXPECT_EQ(clipboard.opens, 0);
}

}  // namespace
}  // namespace quorvan
