// Clipboard append, column insert and rich text as text, against the fakes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/memory_store.h"
#include "config/settings.h"
#include "fake_app.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/actions/actions.h"
#include "quorvan/app.h"
#include "quorvan/clipboard_exchange.h"
#include "quorvan/scripted_ui.h"

namespace quorvan {
namespace {

using Requests = std::vector<std::string>;

class QuickActionsTest : public ::testing::Test, public FakeApp {
 protected:
  QuickActionsTest() {
    // The IDE's copy replaces the whole clipboard with its selection.
    ide.on_copy = [this] {
      clipboard.Open();
      clipboard.Empty();
      if (column_) clipboard.SetData(clipboard.RegisterFormat(kColumnFormatName), "\1");
      clipboard.SetData(platform::Clipboard::kText, selection_);
      clipboard.Close();
    };
  }

  bool Run(bool (*action)(App&)) {
    App app{settings, clipboard, ide, processes, ui, command_line_, "."};
    const bool result = action(app);
    EXPECT_EQ(app.ColumnSelection, 0);
    return result;
  }
  std::string Text() const { return clipboard.Get(platform::kTextFormatName).value_or("<none>"); }
  bool Has(std::string_view format) const { return clipboard.Get(format).has_value(); }

  CommandLineValues command_line_;
  std::string selection_;
  bool column_ = false;
};

TEST_F(QuickActionsTest, AppendJoinsClipboardAndSelectionWithoutPasting) {
  clipboard.Put(platform::kTextFormatName, "xyz");
  selection_ = "abc";
  EXPECT_TRUE(Run(&ClipboardAppendAction));
  EXPECT_EQ(Text(), "xyzabc");
  EXPECT_TRUE(Has(kProcessedFormatName));
  EXPECT_FALSE(Has(kColumnFormatName));
  EXPECT_EQ(ide.requests, Requests{"copy"});

  column_ = true;  // the mark of the second read counts
  EXPECT_TRUE(Run(&ClipboardAppendAction));
  EXPECT_EQ(Text(), "xyzabcabc");
  EXPECT_TRUE(Has(kColumnFormatName));
}

TEST_F(QuickActionsTest, AppendWithoutClipboardTextFailsBeforeCopying) {
  selection_ = "abc";
  EXPECT_FALSE(Run(&ClipboardAppendAction));
  EXPECT_TRUE(ide.requests.empty());
  EXPECT_TRUE(clipboard.contents().empty());
}

struct ColumnCase {
  const char* name;
  const char* selection;
  const char* entered;
  bool translate;
  const char* expected;  // nullptr: the action fails
  bool column = true;
};

TEST_F(QuickActionsTest, ColumnInsertPutsTheTextOnEveryLine) {
  const ColumnCase cases[] = {
      {"three lines", "a\nb\nc\n", "// ", false, "// \r\n// \r\n// \r\n"},
      {"untranslated escape", "a\nb\n", "\\t", false, "\\t\r\n\\t\r\n"},
      {"translated escape", "a\nb\nc\n", "\\t", true, "\t\r\n\t\r\n\t\r\n"},
      {"lines counted by line feed", "a\r\nb", "x", false, "x\r\n"},
      {"no line feed", "abc", "x", false, nullptr},
      {"not a column selection", "a\nb\n", "x", false, nullptr, false},
  };
  for (const ColumnCase& c : cases) {
    SCOPED_TRACE(c.name);
    selection_ = c.selection;
    column_ = c.column;
    ide.requests.clear();
    ui.forms.clear();
    ui.on_form = [&](Form& form) {
      form.fields[0].text = c.entered;
      form.fields[1].checked = c.translate;
      return true;
    };
    const bool result = Run(&ColumnInsertAction);
    if (c.expected) {
      EXPECT_TRUE(result);
      EXPECT_EQ(Text(), c.expected);
      EXPECT_TRUE(Has(kColumnFormatName));
      EXPECT_TRUE(Has(kProcessedFormatName));
      EXPECT_EQ(ide.requests, (Requests{"copy", "position 1", "paste"}));
    } else {
      EXPECT_FALSE(result);
      EXPECT_EQ(Text(), c.selection);
      EXPECT_EQ(ide.requests, Requests{"copy"});
      EXPECT_EQ(ui.forms.size(), c.column ? 1u : 0u);
    }
  }
}

TEST_F(QuickActionsTest, ColumnInsertDialogStartsEmptyAndLimitsTheText) {
  selection_ = "a\n";
  column_ = true;
  Form seen;
  ui.on_form = [&](Form& form) {
    seen = form;
    return false;  // Cancel
  };
  EXPECT_FALSE(Run(&ColumnInsertAction));
  EXPECT_EQ(ui.forms, std::vector<std::string>{"Column Insert"});
  ASSERT_EQ(seen.fields.size(), 2u);
  EXPECT_EQ(seen.fields[0].text, "");
  EXPECT_FALSE(seen.fields[1].checked);
  seen.fields[0].text = std::string(256, 'x');
  EXPECT_EQ(seen.Check(0), "Please enter no more than 255 characters.");
  EXPECT_EQ(Text(), "a\n");  // the cancel left the selection
  EXPECT_EQ(ide.requests, Requests{"copy"});
}

TEST_F(QuickActionsTest, RtfAsTextPastesTheRichTextSource) {
  const std::string rtf = "{\\rtf1\\ansi {\\b bold} text}";
  clipboard.Put(platform::kTextFormatName, "plain");
  clipboard.Put(kRichTextFormatName, rtf);
  clipboard.Put(kColumnFormatName, "\1");
  EXPECT_TRUE(Run(&RtfAsTextAction));
  EXPECT_EQ(Text(), rtf);
  EXPECT_FALSE(Has(kRichTextFormatName));
  EXPECT_FALSE(Has(kColumnFormatName));
  EXPECT_TRUE(Has(kProcessedFormatName));
  EXPECT_EQ(ide.requests, Requests{"paste"});
}

TEST_F(QuickActionsTest, RtfAsTextFailures) {
  clipboard.Put(platform::kTextFormatName, "plain");
  EXPECT_FALSE(Run(&RtfAsTextAction));  // no rich text
  EXPECT_EQ(Text(), "plain");

  clipboard.Put(kRichTextFormatName, "{\\rtf1 x}");
  clipboard.Put(kProcessedFormatName, "\1");
  ui.answers = {false};
  EXPECT_FALSE(Run(&RtfAsTextAction));  // marked, and the user says No
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(Text(), "plain");
  EXPECT_TRUE(ide.requests.empty());
}

}  // namespace
}  // namespace quorvan
