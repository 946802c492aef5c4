#include "quorvan/terminal_ui.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace quorvan {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

// A terminal whose answers come from a file and whose output goes to another.
class Terminal {
 public:
  explicit Terminal(const std::string& answers) {
    in_ = open(dir_.Write("in", answers).c_str(), O_RDONLY);
    out_ = open(dir_.File("out").c_str(), O_WRONLY | O_CREAT, 0600);
    beep_ = open(dir_.File("beep").c_str(), O_WRONLY | O_CREAT, 0600);
    ui = std::make_unique<TerminalUserInterface>(in_, out_, beep_);
  }
  ~Terminal() {
    ui.reset();
    close(in_);
    close(out_);
    close(beep_);
  }
  std::string Output() const { return ReadFile(dir_.File("out")); }
  std::string Beeps() const { return ReadFile(dir_.File("beep")); }
  // What is left unread of the answers.
  std::string Unread() const {
    std::string rest;
    char c;
    while (read(in_, &c, 1) == 1) rest += c;
    return rest;
  }

  std::unique_ptr<TerminalUserInterface> ui;

 private:
  TempDir dir_;
  int in_, out_, beep_;
};

struct YesNoCase {
  const char* answers;
  bool yes;
  const char* unread;
};

TEST(TerminalUserInterface, AYesNoQuestionTakesYesOrNoInAnyCase) {
  const YesNoCase cases[] = {
      {"y\nrest", true, "rest"}, {"YES\n", true, ""}, {"n\n", false, ""},
      {"No\n", false, ""},       {"", false, ""},     {"maybe\n yes\nyes\n", true, ""},
      {"yes\r\n", true, ""},     {"yes", true, ""},   {"maybe\n", false, ""},
  };
  for (const YesNoCase& c : cases) {
    Terminal terminal(c.answers);
    EXPECT_EQ(terminal.ui->AskYesNo("Again?"), c.yes) << c.answers;
    EXPECT_EQ(terminal.Unread(), c.unread) << c.answers;
    EXPECT_EQ(terminal.Output().rfind("Again?\n", 0), 0u);
  }
}

TEST(TerminalUserInterface, MessagesArePrintedAndTheBeepIsTheBellCharacter) {
  Terminal terminal("");
  terminal.ui->ShowMessage("Unable to open template file /x");
  terminal.ui->Beep();
  EXPECT_EQ(terminal.Output(), "Unable to open template file /x\n");
  EXPECT_EQ(terminal.Beeps(), "\a");
}

Form FilterForm() {
  Form form;
  form.identifier = "External Filter";
  form.title = "External Filter";
  form.fields = {FormField::Edit("Filter Command:", "sort", 5),
                 FormField::RadioGroup("Filter Type", {"Redirect Filter", "File Based Filter"}, 0),
                 FormField::CheckBox("Translate escape sequences", false),
                 FormField::List("Common Strings", {"a", "b", "c"}, 0)};
  return form;
}

struct FormCase {
  const char* answers;
  bool ok;
  std::string command;
  int type;
  bool checked;
  int list;
  const char* unread;
};

TEST(TerminalUserInterface, AFormAsksEachFieldOnceAndConfirmsAfterTheLast) {
  const FormCase cases[] = {
      {"\n\n\n\nnext", true, "sort", 0, false, 0, "next"},  // empty lines keep presets
      {"  x \n2\ny\n3\n", true, "  x ", 1, true, 2, ""},    // answers are not trimmed
      {"toolong\nok\n9\n0\n2\nmaybe\nn\n\n", true, "ok", 1, false, 0, ""},  // asked again
      {"cat\n2\n", false, "sort", 0, false, 0, ""},                         // end of input cancels
      {"", false, "sort", 0, false, 0, ""},
  };
  for (const FormCase& c : cases) {
    Terminal terminal(c.answers);
    Form form = FilterForm();
    SCOPED_TRACE(c.answers);
    EXPECT_EQ(terminal.ui->RunForm(form), c.ok);
    EXPECT_EQ(form.fields[0].text, c.command);
    EXPECT_EQ(form.fields[1].selected, c.type);
    EXPECT_EQ(form.fields[2].checked, c.checked);
    EXPECT_EQ(form.fields[3].selected, c.list);
    EXPECT_EQ(terminal.Unread(), c.unread);
  }
}

TEST(TerminalUserInterface, AFormShowsPresetsChoicesAndValidationMessages) {
  Terminal terminal("toolong\n\n\n\n\n");
  Form form = FilterForm();
  ASSERT_TRUE(terminal.ui->RunForm(form));
  EXPECT_EQ(terminal.Output(),
            "External Filter\n"
            "Filter Command: [sort]: Please enter no more than 5 characters.\n"
            "Filter Command: [sort]: "
            "Filter Type\n  1. Redirect Filter\n  2. File Based Filter\nChoice [1]: "
            "Translate escape sequences [n]: "
            "Common Strings\n  1. a\n  2. b\n  3. c\nChoice [1]: ");
}

TEST(TerminalUserInterface, TheValidatorSeesTheEntryAndCanRefuseIt) {
  Terminal terminal("bad\ngood\n");
  Form form;
  form.fields = {FormField::Edit("Name:", "")};
  std::vector<std::string> seen;
  form.validator = [&](const Form& f, std::size_t index) -> std::optional<std::string> {
    seen.push_back(f.fields[index].text);
    if (f.fields[index].text == "bad") return "No.";
    return std::nullopt;
  };
  ASSERT_TRUE(terminal.ui->RunForm(form));
  EXPECT_EQ(form.fields[0].text, "good");
  EXPECT_EQ(seen, (std::vector<std::string>{"bad", "good"}));
}

}  // namespace
}  // namespace quorvan
