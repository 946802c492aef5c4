// `brkclip paste` hands the shell LF line ends, unless the text last stored with
// `brkclip copy` had CR LF ones; the store itself keeps the text as written.
#include <gtest/gtest.h>

#include <optional>

#include "support/test_desktop.h"

namespace {

using testing_support::ProgramResult;
using testing_support::TestDesktop;

struct PasteCase {
  const char* name;
  std::optional<std::string> copied;  // what brkclip copy stored first, if anything
  std::optional<std::string> result;  // then the store's text, as an action writes it
  std::string pasted;
};

TEST(BrkclipPaste, LineEndsFollowTheCopiedText) {
  const PasteCase cases[] = {
      {"LF copy, CR LF result", "int a;\n", "// a\r\nint a;\r\n", "// a\nint a;\n"},
      {"CR LF copy, CR LF result", "int a;\r\n", "// a\r\nint a;\r\n", "// a\r\nint a;\r\n"},
      {"CR LF copy, mixed result", "int a;\r\n", "// a\nint a;\r\n", "// a\nint a;\r\n"},
      {"CR LF round trip", "a\r\nb\r\n", std::nullopt, "a\r\nb\r\n"},
      {"LF round trip", "a\nb", std::nullopt, "a\nb"},
      {"no copy", std::nullopt, "x\r\ny\r\n", "x\ny\n"},
      {"lone CR stays", "a\n", "a\rb\r\n", "a\rb\n"},
  };
  for (const PasteCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestDesktop desktop;
    if (c.copied) {
      ASSERT_EQ(desktop.Run("brkclip", {"copy"}, *c.copied).exit_code, 0);
    }
    if (c.result) desktop.SetClipboardText(*c.result);
    ProgramResult run = desktop.Run("brkclip", {"paste"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, c.pasted);
    if (c.result) {
      EXPECT_EQ(desktop.Clipboard().front().second, *c.result);
    }
  }
}

}  // namespace
