// The external filter with real filters (sort, tr, cp, sh) run through the POSIX
// process runner, its command lines, its temporary files and its dialog.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>

#include "config/memory_store.h"
#include "config/settings.h"
#include "engine/templates.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/actions/actions.h"
#include "quorvan/actions/filter_request.h"
#include "quorvan/actions/filter_run.h"
#include "quorvan/app.h"
#include "quorvan/clipboard_exchange.h"
#include "quorvan/scripted_ui.h"
#include "quorvan/terminal_ui.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using testing_support::TempDir;

// Points $TMPDIR at a fresh directory for the test, so that leftovers can be seen.
class ScopedTmpDir {
 public:
  explicit ScopedTmpDir(const std::string& path) {
    if (const char* old = std::getenv("TMPDIR")) saved_ = old;
    setenv("TMPDIR", path.c_str(), 1);
  }
  ~ScopedTmpDir() {
    if (saved_) {
      setenv("TMPDIR", saved_->c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

 private:
  std::optional<std::string> saved_;
};

class ExternalFilterTest : public ::testing::Test {
 protected:
  ExternalFilterTest() : tmp_(temp_.path()), settings_(store_) {
    // The IDE's copy replaces the whole clipboard with its selection.
    ide_.on_copy = [this] {
      clipboard_.Open();
      clipboard_.Empty();
      if (column_) clipboard_.SetData(clipboard_.RegisterFormat(kColumnFormatName), "\1");
      clipboard_.SetData(platform::Clipboard::kText, selection_);
      clipboard_.Close();
    };
  }

  App MakeApp(platform::ProcessRunner& runner) {
    return App{settings_, clipboard_, ide_, runner, ui_, command_line_, "."};
  }
  // Runs the action with a filter given by the switches.
  bool RunSwitches(std::string command, int type, int show_state = 1) {
    command_line_.has_filter_command = true;
    command_line_.filter_command = std::move(command);
    command_line_.filter_type = type;
    command_line_.show_state = show_state;
    App app = MakeApp(posix_);
    return ExternalFilterAction(app);
  }
  bool TempDirIsEmpty() const { return std::filesystem::is_empty(temp_.path()); }
  std::string ClipboardText() const {
    return clipboard_.Get(platform::kTextFormatName).value_or("<none>");
  }

  TempDir temp_;
  ScopedTmpDir tmp_;
  config::MemoryStore store_;
  config::Settings settings_;
  platform::MemoryClipboard clipboard_;
  platform::RecordingIdeLink ide_;
  platform::PosixProcessRunner posix_;
  platform::RecordingProcessRunner recording_;
  ScriptedUserInterface ui_;
  CommandLineValues command_line_;
  std::string selection_;
  bool column_ = false;
};

struct FilterCase {
  const char* name;
  const char* command;
  int type;
  const char* input;
  const char* output;
  bool column = false;  // the selection is a column selection
};

TEST_F(ExternalFilterTest, RealFiltersOfEachTypeReplaceTheSelection) {
  const FilterCase cases[] = {
      {"redirect sort", "sort", kRedirectFilter, "pear\napple\nfig\n", "apple\nfig\npear\n"},
      {"column selection", "sort", kRedirectFilter, "b\na\n", "a\nb\n", true},
      {"redirect with arguments", "tr a-z A-Z", kRedirectFilter, "int x;\n", "INT X;\n"},
      {"file based", "cp", kFileFilter, "a\tb\r\nc", "a\tb\r\nc"},
      {"literal with both names", R"(sh -c "tr a-z A-Z < $_Input > $_Output")", kLiteralFilter,
       "abc", "ABC"},
      {"failing filter with output", R"(sh -c "echo partial > $_Output; exit 3")", kLiteralFilter,
       "x", "partial\n"},
      {"output cut at a zero byte", R"(sh -c "printf 'ab\\000cd' > $_Output")", kLiteralFilter, "x",
       "ab"},
  };
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.name);
    selection_ = c.input;
    column_ = c.column;
    ide_.requests.clear();
    EXPECT_TRUE(RunSwitches(c.command, c.type, platform::kShowHidden));
    EXPECT_EQ(ClipboardText(), c.output);
    EXPECT_TRUE(clipboard_.Get(kProcessedFormatName).has_value());
    EXPECT_EQ(clipboard_.Get(kColumnFormatName).has_value(), c.column);
    EXPECT_EQ(ide_.requests, (std::vector<std::string>{"copy", "paste"}));
    EXPECT_TRUE(ui_.forms.empty());
    EXPECT_TRUE(TempDirIsEmpty());
  }
}

TEST_F(ExternalFilterTest, FailuresLeaveTheSelectionAndNoTemporaryFiles) {
  const FilterCase cases[] = {
      {"empty output", "true", kRedirectFilter, "keep me", nullptr},
      {"program not found", "quorvan-no-such-filter $_Input $_Output", kLiteralFilter, "keep me",
       nullptr},
      {"output removed", "rm -f $_Output", kLiteralFilter, "keep me", nullptr},
      {"output only a zero byte", R"(sh -c "printf '\\000' > $_Output")", kLiteralFilter, "keep me",
       nullptr},
  };
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.name);
    selection_ = c.input;
    ide_.requests.clear();
    EXPECT_FALSE(RunSwitches(c.command, c.type, platform::kShowHidden));
    EXPECT_EQ(ClipboardText(), c.input);
    EXPECT_FALSE(clipboard_.Get(kProcessedFormatName).has_value());
    EXPECT_EQ(ide_.requests, std::vector<std::string>{"copy"});
    EXPECT_TRUE(TempDirIsEmpty());
  }
}

TEST_F(ExternalFilterTest, EmptySelectionSucceedsWithoutDialogOrProcess) {
  selection_ = "";
  App app = MakeApp(recording_);
  EXPECT_TRUE(ExternalFilterAction(app));
  EXPECT_TRUE(ui_.forms.empty());
  EXPECT_TRUE(recording_.calls.empty());
  EXPECT_EQ(ide_.requests, std::vector<std::string>{"copy"});
}

TEST_F(ExternalFilterTest, CommandLinesNameBothTemporaryFiles) {
  const std::string dir = temp_.path();
  settings_.WriteSetting(engine::kDefaultsSection, kRedirectCommandLine,
                         "CMD /c $_Filter< $_Input > $_Output");
  selection_ = "x";
  command_line_.has_filter_command = true;
  command_line_.filter_command = "sort";
  command_line_.show_state = platform::kShowHidden;
  App app = MakeApp(recording_);
  EXPECT_FALSE(ExternalFilterAction(app));  // nothing was written to the output
  ASSERT_EQ(recording_.calls.size(), 1u);
  EXPECT_EQ(recording_.calls[0].show_state, platform::kShowHidden);
  const std::regex expected("CMD /c sort< " + dir + "/quorvan-in-\\w{6} > " + dir +
                            "/quorvan-out-\\w{6}");
  EXPECT_TRUE(std::regex_match(recording_.calls[0].command_line, expected))
      << recording_.calls[0].command_line;
  EXPECT_TRUE(TempDirIsEmpty());
}

TEST_F(ExternalFilterTest, TemporaryDirectoryWithBlanksStillWorks) {
  const std::string spaced = temp_.path() + "/with blank";
  std::filesystem::create_directory(spaced);
  ScopedTmpDir tmp(spaced);
  selection_ = "b\na\n";
  EXPECT_TRUE(RunSwitches("sort", kRedirectFilter));
  EXPECT_EQ(ClipboardText(), "a\nb\n");
  EXPECT_TRUE(std::filesystem::is_empty(spaced));
}

// Through the default redirect template, `sh -c` is handed the command exactly as
// typed, whatever quotes, backslashes or expansions it holds.
TEST_F(ExternalFilterTest, TheRedirectTemplateKeepsTheCommandAsTyped) {
  const FilterCase cases[] = {
      {"double-quoted argument", R"(grep -v "x y")", kRedirectFilter, "x y\nkeep\n", "keep\n"},
      {"double-quoted script", R"(sed "s/a b/X/")", kRedirectFilter, "a b\n", "X\n"},
      {"both quote kinds", R"(sed 's/a/"q"/; s/b/'"'"'/')", kRedirectFilter, "ab\n", "\"q\"'\n"},
      {"backslashes", R"(tr '\\' "/")", kRedirectFilter, "a\\b\\c", "a/b/c"},
      {"backslash before a quote", R"(sed "s/x/\"/")", kRedirectFilter, "x\n", "\"\n"},
      {"dollar expanded by the filter's shell", R"(sed "s/x/$((6*7))/")", kRedirectFilter, "x\n",
       "42\n"},
      {"dollar kept by single quotes", R"(sed 's/x/$HOME/')", kRedirectFilter, "x\n", "$HOME\n"},
      {"command substitution", "sed \"s/x/`echo y`/\"", kRedirectFilter, "x\n", "y\n"},
  };
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.name);
    selection_ = c.input;
    EXPECT_TRUE(RunSwitches(c.command, c.type, platform::kShowHidden));
    EXPECT_EQ(ClipboardText(), c.output);
    EXPECT_TRUE(TempDirIsEmpty());
  }
}

TEST_F(ExternalFilterTest, TemporaryDirectoriesWithSpecialCharactersWork) {
  for (const char* special :
       {"\"", "'", "\\", "$", "`", " ", ";", "&", "|", "*", "(", "#", "<", "\\\"", "'\"$x"}) {
    SCOPED_TRACE(special);
    const std::string directory = temp_.path() + "/t" + special + "d";
    ASSERT_TRUE(std::filesystem::create_directory(directory));
    ScopedTmpDir tmp(directory);
    for (int type : {kRedirectFilter, kFileFilter}) {
      selection_ = "b\na\n";
      EXPECT_TRUE(
          RunSwitches(type == kRedirectFilter ? "sort" : "cp", type, platform::kShowHidden));
      EXPECT_EQ(ClipboardText(), type == kRedirectFilter ? "a\nb\n" : "b\na\n");
      EXPECT_TRUE(std::filesystem::is_empty(directory));
    }
    std::filesystem::remove(directory);
  }
}

TEST(FilterCommandLineTest, TemplatesAndPlaceholderOrder) {
  config::MemoryStore store;
  config::Settings settings(store);
  struct Case {
    const char* command;
    int type;
    const char* expected;
  } cases[] = {
      {"sort", kRedirectFilter, R"(sh -c "sort < IN > OUT")"},
      {"echo $_Input", kRedirectFilter, R"(sh -c "echo $_Input < IN > OUT")"},
      {"myfilt -x", kFileFilter, "myfilt -x IN OUT"},
      {"x $_Output $_Input $_Filter", kLiteralFilter, "x OUT IN x $_Output $_Input $_Filter"},
      {"plain", kLiteralFilter, "plain"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilterCommandLine(settings, {c.command, c.type, 1}, "IN", "OUT"), c.expected);
  }
  EXPECT_EQ(FilterCommandLine(settings, {"cat", kFileFilter, 1}, "/tmp/it's", "OUT"),
            R"(cat '/tmp/it'\''s' OUT)");
}

// The dialog: presets from the remembered values, what it stores and returns.
class FilterDialogTest : public ExternalFilterTest {
 protected:
  std::optional<FilterRequest> Ask() {
    App app = MakeApp(recording_);
    return GetFilterRequest(app);
  }
  int Stored(std::string_view name) const {
    return settings_.ReadSettingNumber(engine::kDefaultsSection, name, -1);
  }
  std::string StoredCommand() const {
    return settings_.ReadSetting(engine::kDefaultsSection, kLastFilterCommand, "<none>");
  }
};

TEST_F(FilterDialogTest, ConfirmedChoicesAreRememberedAsButtonIdentifiers) {
  struct Case {
    int type_choice, window_choice;
    int stored_type, stored_window;
    int type, show_state;
  } cases[] = {
      {0, 0, 1014, 1010, kRedirectFilter, 0},
      {1, 1, 1015, 1011, kFileFilter, 1},
      {2, 0, 1016, 1010, kLiteralFilter, 0},
      {-1, -1, 0, 0, kLiteralFilter, 1},
  };
  for (const Case& c : cases) {
    ui_.on_form = [&](Form& form) {
      form.fields[0].text = "tr a-z A-Z";
      form.fields[1].selected = c.type_choice;
      form.fields[2].selected = c.window_choice;
      return true;
    };
    std::optional<FilterRequest> request = Ask();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->command, "tr a-z A-Z");
    EXPECT_EQ(request->type, c.type);
    EXPECT_EQ(request->show_state, c.show_state);
    EXPECT_EQ(Stored(kLastFilterType), c.stored_type);
    EXPECT_EQ(Stored(kLastFilterShowState), c.stored_window);
    EXPECT_EQ(StoredCommand(), "tr a-z A-Z");
  }
}

TEST_F(FilterDialogTest, PresetFollowsRememberedValues) {
  Form first = MakeFilterForm(settings_);  // nothing stored yet
  EXPECT_EQ(first.identifier, "External Filter");
  EXPECT_EQ(first.fields[0].text, "");
  EXPECT_EQ(first.fields[1].choices,
            (std::vector<std::string>{"Redirect Filter", "File Based Filter", "Literal "}));
  EXPECT_EQ(first.fields[1].selected, 0);
  EXPECT_EQ(first.fields[2].choices, (std::vector<std::string>{"Hidden", "Visible"}));
  EXPECT_EQ(first.fields[2].selected, 1);
  struct Case {
    int stored_type, stored_window, type_choice, window_choice;
  } cases[] = {{1016, 1010, 2, 0}, {1015, 1011, 1, 1}, {5, 0, 0, 1}};
  for (const Case& c : cases) {
    settings_.WriteSetting(engine::kDefaultsSection, kLastFilterCommand, "sort -r");
    settings_.WriteSettingNumber(engine::kDefaultsSection, kLastFilterType, c.stored_type);
    settings_.WriteSettingNumber(engine::kDefaultsSection, kLastFilterShowState, c.stored_window);
    Form form = MakeFilterForm(settings_);
    EXPECT_EQ(form.fields[0].text, "sort -r");
    EXPECT_EQ(form.fields[1].selected, c.type_choice);
    EXPECT_EQ(form.fields[2].selected, c.window_choice);
  }
}

// The dialog on the terminal: answers from a file, prompts to another.
class TerminalFilterDialogTest : public FilterDialogTest {
 protected:
  std::optional<FilterRequest> AskOnTerminal(const std::string& answers) {
    int in = open(temp_.Write("answers", answers).c_str(), O_RDONLY);
    int out = open(temp_.File("prompts").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::optional<FilterRequest> request;
    {
      TerminalUserInterface terminal(in, out, -1);
      App app{settings_, clipboard_, ide_, recording_, terminal, command_line_, "."};
      request = GetFilterRequest(app);
    }
    close(in);
    close(out);
    prompts_ = testing_support::ReadFile(temp_.File("prompts"));
    std::filesystem::remove(temp_.File("answers"));
    std::filesystem::remove(temp_.File("prompts"));
    return request;
  }
  std::string prompts_;
};

TEST_F(TerminalFilterDialogTest, RefusedCommandIsRememberedAndAskedAgain) {
  // Refused, then cancelled: the refused entry is remembered all the same.
  EXPECT_FALSE(AskOnTerminal(std::string(126, 'x') + "\n"));
  EXPECT_EQ(StoredCommand(), std::string(126, 'x'));
  // Cancelled without a refusal: nothing new is stored.
  EXPECT_FALSE(AskOnTerminal("cat\n"));
  EXPECT_EQ(StoredCommand(), std::string(126, 'x'));

  std::optional<FilterRequest> request = AskOnTerminal(std::string(126, 'x') + "\nsort\n\n1\n");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->command, "sort");
  EXPECT_EQ(request->type, kRedirectFilter);
  EXPECT_EQ(request->show_state, platform::kShowHidden);
  EXPECT_NE(prompts_.find("Please enter no more than 125 characters."), std::string::npos);
  EXPECT_EQ(StoredCommand(), "sort");
  EXPECT_EQ(Stored(kLastFilterShowState), 1010);
}

}  // namespace
}  // namespace quorvan
