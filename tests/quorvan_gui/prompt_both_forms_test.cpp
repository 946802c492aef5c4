// One prompt layout, answered in its window and on the terminal: the same values.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "quorvan/prompt_step.h"
#include "quorvan/qt/prompt_dialog_qt.h"
#include "quorvan/qt/prompt_terminal_form.h"
#include "quorvan/terminal_ui.h"
#include "settings/message_box.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

#ifdef BRK_PROMPT_LIBRARY_DIR
const char* const kLibrary = BRK_PROMPT_LIBRARY_DIR "/prompt_test_v3.rcc";
#else
const char* const kLibrary = "";
#endif

// The description sections for layout 400 (tests/data/prompt/400.ui).
constexpr char kControlFile[] = R"([Name]
Type=EDIT
ControlID=1
[Name2]
Type=EDIT
ControlID=1
[Kind]
Type=COMBO
ControlID=2
Fill0=Class|class
Fill1=Struct|struct
[Inline]
Type=CHECK
ControlID=3
OnState=inline
OffState=outline
[Plain]
Type=CHECK
ControlID=8
OnState=plain
OffState=fancy
[Access]
Type=RADIO
StartControlID=10
EndControlID=12
Button0=public
Button1=protected
Button2=private
[Access2]
Type=RADIO
StartControlID=10
EndControlID=12
Default=2
Button0=a
Button1=b
Button2=c
[AccessPart]
Type=RADIO
StartControlID=10
EndControlID=11
Default=5
Button0=pub
Button1=prot
[Items]
Type=LIST
ControlID=4
Fill0=one
Fill1=two
Fill2=three
[Type]
Type=COMBO
ControlID=6
Fill0=int
Fill1=long
[Caption]
Type=STATIC
ControlID=5
[Missing]
Type=EDIT
ControlID=99
[MissingCheck]
Type=CHECK
ControlID=98
OnState=on
OffState=off
[MissingRadio]
Type=RADIO
StartControlID=90
EndControlID=92
Button0=x
[Unknown]
Type=BUTTON
ControlID=1
)";

// What a user does in the window: types into an edit or editable combo box, picks
// an entry of a combo box or list, or clicks a button.
struct WindowStep {
  enum class Action { kType, kPick, kClick };
  Action action;
  const char* widget;
  const char* text = "";
  int index = 0;
};
WindowStep Type(const char* widget, const char* text) {
  return {WindowStep::Action::kType, widget, text};
}
WindowStep Pick(const char* widget, int index) {
  return {WindowStep::Action::kPick, widget, "", index};
}
WindowStep Click(const char* widget) { return {WindowStep::Action::kClick, widget}; }

void Perform(QWidget* dialog, const WindowStep& step) {
  QWidget* widget = dialog->findChild<QWidget*>(step.widget);
  ASSERT_NE(widget, nullptr) << step.widget;
  switch (step.action) {
    case WindowStep::Action::kType: {
      QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
      if (auto* combo = qobject_cast<QComboBox*>(widget)) edit = combo->lineEdit();
      ASSERT_NE(edit, nullptr) << step.widget;
      edit->clear();
      QTest::keyClicks(edit, step.text);
      break;
    }
    case WindowStep::Action::kPick:
      if (auto* combo = qobject_cast<QComboBox*>(widget)) combo->setCurrentIndex(step.index);
      if (auto* list = qobject_cast<QListWidget*>(widget)) list->setCurrentRow(step.index);
      break;
    case WindowStep::Action::kClick:
      ASSERT_NE(qobject_cast<QAbstractButton*>(widget), nullptr) << step.widget;
      static_cast<QAbstractButton*>(widget)->click();
      break;
  }
}

struct Item {
  const char* section;
  const char* default_text;
};

struct Case {
  const char* name;
  std::vector<Item> items;
  std::vector<WindowStep> window;
  // One line per field, in tab order: type, access, items, inline, plain, kind, name.
  const char* terminal;
  std::vector<std::string> values;
};

const std::vector<Item> kEveryKind = {
    {"Name", "Area"}, {"Kind", "struct"},   {"Inline", ""},       {"Plain", ""},
    {"Access", ""},   {"Items", ""},        {"Type", "long"},     {"Caption", "Heads up"},
    {"Missing", "x"}, {"MissingCheck", ""}, {"MissingRadio", ""}, {"Unknown", "y"},
};

const Case kCases[] = {
    {"ok at once",
     kEveryKind,
     {},
     "\n\n\n\n\n\n\n",
     {"Area", "Struct", "inline", "fancy", "public", "one", "long", "", "", "off", "", ""}},
    {"every field answered",
     kEveryKind,
     {Type("nameEdit", "Volume"), Pick("kindCombo", 0), Click("inlineCheck"), Click("plainCheck"),
      Click("privateRadio"), Pick("itemList", 2), Type("typeCombo", "short")},
     "short\n3\n3\nn\ny\n1\nVolume\n",
     {"Volume", "Class", "outline", "plain", "private", "three", "short", "", "", "off", "", ""}},
    {"a typed number picks a combo box entry",
     {{"Type", "int"}},
     {Pick("typeCombo", 1)},
     "2\n",
     {"long"}},
    {"the last item that presets a control wins",
     {{"Name", "first"}, {"Access", ""}, {"Name2", "second"}, {"Access2", ""}},
     {},
     "\n\n",
     {"second", "private", "second", "c"}},
    {"the same control answered once for both items",
     {{"Name", "first"}, {"Name2", "second"}, {"Access", ""}, {"Access2", ""}},
     {Type("nameEdit", "third"), Click("protectedRadio")},
     "2\nthird\n",
     {"third", "third", "protected", "b"}},
    {"a default outside the group leaves it unselected", {{"AccessPart", ""}}, {}, "\n", {""}},
    {"a group part of an exclusive set",
     {{"AccessPart", ""}},
     {Click("publicRadio")},
     "1\n",
     {"pub"}},
    {"only missing controls: nothing asked",
     {{"Missing", "x"}, {"MissingCheck", ""}, {"MissingRadio", ""}},
     {},
     "",
     {"", "off", ""}},
};

class PromptBothForms : public ::testing::Test {
 protected:
  PromptBothForms() : registration_(kLibrary) { settings::SetMessageScript(&script_); }
  ~PromptBothForms() override { settings::SetMessageScript(nullptr); }
  void SetUp() override {
    if (!registration_.registered()) GTEST_SKIP() << "no test resource library";
    control_path_ = dir_.Write("ORDERED.CTL", kControlFile);
  }

  std::vector<engine::DlgGetItem> Items(const Case& c) const {
    std::vector<engine::DlgGetItem> items;
    for (const Item& item : c.items) {
      engine::DlgGetItem made;
      made.section = item.section;
      made.default_text = item.default_text;
      items.push_back(made);
    }
    return items;
  }
  PromptDialog Dialog(const std::vector<engine::DlgGetItem>& items) const {
    PromptDialog dialog = DescribePromptDialog(control_path_, items);
    dialog.library_path = kLibrary;
    dialog.resource_id = 400;
    return dialog;
  }
  static std::vector<std::string> Values(const std::vector<engine::DlgGetItem>& items) {
    std::vector<std::string> values;
    for (const engine::DlgGetItem& item : items) values.push_back(item.value);
    return values;
  }

  // The values after the steps in the window and OK.
  std::vector<std::string> InWindow(const Case& c) {
    std::vector<engine::DlgGetItem> items = Items(c);
    PromptDialog dialog = Dialog(items);
    QTimer::singleShot(0, [&c] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      for (const WindowStep& step : c.window) Perform(modal, step);
      modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(RunPromptDialog(dialog, nullptr)) << c.name;
    ApplyPromptAnswers(control_path_, dialog, items);
    return Values(items);
  }

  // The terminal's result for `answers`, with what it printed.
  bool OnTerminal(PromptDialog& dialog, const std::string& answers, std::string& printed) {
    int in = open(dir_.Write("answers", answers).c_str(), O_RDONLY);
    int out = open(dir_.File("printed").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    bool ok;
    {
      TerminalUserInterface ui(in, out, -1);
      ui.SetPromptLayoutRunner(RunTerminalPrompt);
      ok = ui.RunPrompt(dialog);
    }
    close(in);
    close(out);
    printed = ReadFile(dir_.File("printed"));
    return ok;
  }
  std::vector<std::string> OnTerminal(const Case& c, std::string& printed) {
    std::vector<engine::DlgGetItem> items = Items(c);
    PromptDialog dialog = Dialog(items);
    EXPECT_TRUE(OnTerminal(dialog, c.terminal, printed)) << c.name << "\n" << printed;
    ApplyPromptAnswers(control_path_, dialog, items);
    return Values(items);
  }

  TempDir dir_;
  std::string control_path_;
  settings::MessageScript script_;
  ResourceRegistration registration_;
};

TEST_F(PromptBothForms, DeliverTheSameValues) {
  for (const Case& c : kCases) {
    std::string printed;
    EXPECT_EQ(InWindow(c), c.values) << c.name;
    EXPECT_EQ(OnTerminal(c, printed), c.values) << c.name << "\n" << printed;
  }
}

TEST_F(PromptBothForms, TheTerminalAsksTheLayoutInTabOrderWithItsLabels) {
  std::string printed;
  OnTerminal(kCases[0], printed);
  const char* const expected[] = {
      "Ordered fields\n",
      "Heads up\n",
      "Type\n  1. int\n  2. long\nChoice or text [long]: ",
      "Access\n  1. Public\n  2. Protected\n  3. Private\nChoice [1]: ",
      "Items\n  1. one\n  2. two\n  3. three\nChoice [1]: ",
      "Inline [y]: ",
      "Plain [n]: ",
      "Kind\n  1. Class\n  2. Struct\nChoice [2]: ",
      "Name [Area]: ",
  };
  std::size_t from = 0;
  for (const char* part : expected) {
    std::size_t at = printed.find(part, from);
    ASSERT_NE(at, std::string::npos) << part << " after " << from << " in\n" << printed;
    from = at + std::string(part).size();
  }
  EXPECT_EQ(from, printed.size()) << printed;
  for (const char* never : {"Missing", "Unknown", "Caption", "Between"}) {
    EXPECT_EQ(printed.find(never), std::string::npos) << never;
  }
}

TEST_F(PromptBothForms, TheTerminalCancelsAtTheEndOfInputAndReportsAMissingLayout) {
  std::vector<engine::DlgGetItem> items = Items(kCases[0]);
  PromptDialog dialog = Dialog(items);
  std::string printed;
  EXPECT_FALSE(OnTerminal(dialog, "x\n1\n", printed));
  for (const PromptControl& control : dialog.controls) EXPECT_FALSE(control.found);

  struct Broken {
    std::string library;
    int resource_id;
    std::string message;
  };
  const Broken broken[] = {
      {dir_.Write("bad.rcc", "not a library"), 400,
       "Unable to find resource DLL: " + dir_.File("bad.rcc") + "\n"},
      {kLibrary, 300, "Unable to find Dialog resource\n"},
  };
  for (const Broken& b : broken) {
    dialog.library_path = b.library;
    dialog.resource_id = b.resource_id;
    EXPECT_FALSE(OnTerminal(dialog, "\n\n\n\n\n\n\n", printed));
    EXPECT_EQ(printed, b.message);
  }
  EXPECT_TRUE(script_.shown.isEmpty());
}

}  // namespace
}  // namespace quorvan
