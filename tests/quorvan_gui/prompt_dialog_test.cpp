// The prompt dialog on real layouts from a resource library built with the tests.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "quorvan/fake_app.h"
#include "quorvan/prompt_step.h"
#include "quorvan/qt/prompt_dialog_qt.h"
#include "settings/message_box.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using Kind = PromptControl::Kind;

#ifdef BRK_PROMPT_LIBRARY_DIR
const char* const kLibrary = BRK_PROMPT_LIBRARY_DIR "/prompt_test_v3.rcc";
#else
const char* const kLibrary = "";
#endif

PromptControl Control(Kind kind, int id, std::string default_text = "",
                      std::vector<std::string> entries = {}, std::string preselection = "") {
  PromptControl control;
  control.kind = kind;
  control.control_id = id;
  control.default_text = std::move(default_text);
  control.entries = std::move(entries);
  control.preselection = std::move(preselection);
  return control;
}

PromptControl Radio(int start, int end, int default_position) {
  PromptControl control = Control(Kind::kRadio, 0);
  control.start_id = start;
  control.end_id = end;
  control.default_position = default_position;
  return control;
}

// Layout 100 holds one control of each class; see tests/data/prompt/100.ui.
PromptDialog EveryKind() {
  PromptDialog dialog;
  dialog.library_path = kLibrary;
  dialog.resource_id = 100;
  dialog.controls = {
      Control(Kind::kStatic, 5, "Heading"),
      Control(Kind::kEdit, 1, "Area"),
      Control(Kind::kCombo, 2, "", {"Public", "Private"}, "PRIVATE"),
      Control(Kind::kList, 3, "", {"Value", "Service"}),
      Control(Kind::kCheck, 4),
      Radio(10, 12, 2),
      Control(Kind::kCombo, 6, "", {"int", "long"}, "long"),
      Control(Kind::kEdit, 99, "nowhere"),
      Control(Kind::kIgnored, 7),
  };
  return dialog;
}

class PromptDialogTest : public ::testing::Test {
 protected:
  PromptDialogTest() : registration_(kLibrary) { settings::SetMessageScript(&script_); }
  ~PromptDialogTest() override { settings::SetMessageScript(nullptr); }

  void SetUp() override {
    if (!registration_.registered()) GTEST_SKIP() << "no test resource library";
  }
  template <typename T>
  T* Find(const PromptLayout& layout, const char* name) {
    T* widget = layout.dialog()->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  bool Enabled(const PromptLayout& layout, const char* name) {
    QWidget* widget = Find<QWidget>(layout, name);
    return widget && widget->isEnabled();
  }

  settings::MessageScript script_;
  ResourceRegistration registration_;
};

TEST_F(PromptDialogTest, InputsStartDisabledAndThePreparedItemsEnabled) {
  // name, enabled on opening, enabled once EveryKind() is prepared
  const std::tuple<const char*, bool, bool> cases[] = {
      {"titleLabel", true, true},   {"nameLabel", false, true},   {"nameEdit", false, true},
      {"accessLabel", false, true}, {"accessCombo", false, true}, {"orphanLabel", true, true},
      {"helpButton", true, true},   {"kindsLabel", false, true},  {"kindList", false, true},
      {"inlineCheck", false, true}, {"typeLabel", false, true},   {"typeCombo", false, true},
      {"notesLabel", false, false}, {"notesEdit", false, false},  {"choiceGroup", true, true},
      {"firstRadio", false, true},  {"thirdRadio", false, true},  {"buttonBox", true, true},
  };
  PromptLayout layout(100, nullptr);
  ASSERT_NE(layout.dialog(), nullptr);
  for (const auto& [name, on_opening, prepared] : cases) {
    EXPECT_EQ(Enabled(layout, name), on_opening) << name;
  }
  EXPECT_EQ(layout.Label(layout.Control(1)), Find<QLabel>(layout, "nameLabel"));
  layout.Prepare(EveryKind());
  for (const auto& [name, on_opening, prepared] : cases) {
    EXPECT_EQ(Enabled(layout, name), prepared) << name;
  }
  // An editable combo box's own edit field comes back with it.
  EXPECT_TRUE(Find<QComboBox>(layout, "typeCombo")->lineEdit()->isEnabled());
}

TEST_F(PromptDialogTest, EachKindIsPreparedAndReadBack) {
  PromptLayout layout(100, nullptr);
  ASSERT_NE(layout.dialog(), nullptr);
  PromptDialog dialog = EveryKind();
  layout.Prepare(dialog);
  EXPECT_EQ(Find<QLabel>(layout, "titleLabel")->text(), "Heading");
  EXPECT_EQ(Find<QLineEdit>(layout, "nameEdit")->text(), "Area");
  EXPECT_EQ(Find<QComboBox>(layout, "accessCombo")->currentText(), "Private");
  EXPECT_EQ(Find<QComboBox>(layout, "typeCombo")->currentText(), "long");
  EXPECT_EQ(Find<QListWidget>(layout, "kindList")->currentRow(), 0);
  EXPECT_TRUE(Find<QCheckBox>(layout, "inlineCheck")->isChecked());  // as the layout has it
  EXPECT_FALSE(Find<QRadioButton>(layout, "firstRadio")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(layout, "thirdRadio")->isChecked());

  layout.ReadAnswers(dialog);
  EXPECT_EQ(dialog.controls[1].text, "Area");  // OK at once delivers the default
  EXPECT_EQ(dialog.controls[3].text, "Value");
  EXPECT_EQ(dialog.controls[5].selected_position, 2);

  QLineEdit* edit = Find<QLineEdit>(layout, "nameEdit");
  edit->clear();
  QTest::keyClicks(edit, "Volume");
  Find<QComboBox>(layout, "accessCombo")->setCurrentIndex(0);
  Find<QComboBox>(layout, "typeCombo")->setEditText("short");
  Find<QListWidget>(layout, "kindList")->setCurrentRow(1);
  Find<QCheckBox>(layout, "inlineCheck")->click();
  Find<QRadioButton>(layout, "secondRadio")->click();
  layout.ReadAnswers(dialog);
  const std::vector<PromptControl>& got = dialog.controls;
  EXPECT_EQ(got[1].text, "Volume");
  EXPECT_EQ(got[2].text, "Public");
  EXPECT_EQ(got[3].text, "Service");
  EXPECT_FALSE(got[4].checked);
  EXPECT_EQ(got[5].selected_position, 1);
  EXPECT_EQ(got[6].text, "short");
  for (std::size_t i = 0; i < 7; ++i) EXPECT_TRUE(got[i].found) << i;
  EXPECT_FALSE(got[7].found);
  EXPECT_FALSE(got[8].found);

  Find<QListWidget>(layout, "kindList")->clearSelection();
  layout.ReadAnswers(dialog);
  EXPECT_EQ(dialog.controls[3].text, "");
}

TEST_F(PromptDialogTest, ARadioDefaultOutsideTheGroupSelectsNothing) {
  PromptLayout layout(100, nullptr);
  ASSERT_NE(layout.dialog(), nullptr);
  PromptDialog dialog;
  dialog.controls = {Radio(10, 12, 0), Radio(10, 12, 5), Radio(13, 20, 0)};
  layout.Prepare(dialog);
  layout.ReadAnswers(dialog);
  EXPECT_EQ(dialog.controls[0].selected_position, -1);
  EXPECT_TRUE(dialog.controls[0].found);
  EXPECT_FALSE(dialog.controls[2].found);
}

// Runs the dialog modally and presses `button` (an object name) once it is up.
bool RunAndPress(PromptDialog& dialog, const QString& button) {
  QTimer::singleShot(0, [button] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* pushed = modal->findChild<QAbstractButton*>(button)) {
      pushed->click();
    } else if (auto* box = modal->findChild<QDialogButtonBox*>()) {
      box->button(button == "ok" ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    }
  });
  return RunPromptDialog(dialog, nullptr);
}

TEST_F(PromptDialogTest, OkReadsTheAnswersAndCancelLeavesThem) {
  struct Case {
    int resource_id;
    const char* button;
    bool ok;
  };
  for (const Case& c : {Case{100, "ok", true}, Case{100, "cancel", false}, Case{200, "IDOK", true},
                        Case{200, "IDCANCEL", false}}) {
    PromptDialog dialog;
    dialog.library_path = kLibrary;
    dialog.resource_id = c.resource_id;
    dialog.controls = {Control(Kind::kEdit, 1, "Area")};
    EXPECT_EQ(RunAndPress(dialog, c.button), c.ok) << c.button;
    EXPECT_EQ(dialog.controls[0].text, c.ok ? "Area" : "") << c.button;
  }
  EXPECT_TRUE(script_.shown.isEmpty());
}

TEST_F(PromptDialogTest, AnUnloadableLibraryOrLayoutIsReported) {
  testing_support::TempDir dir;
  PromptDialog dialog;
  dialog.library_path = dir.Write("bad.rcc", "not a library");
  EXPECT_FALSE(RunPromptDialog(dialog, nullptr));
  dialog.library_path = kLibrary;
  dialog.resource_id = 300;
  EXPECT_FALSE(RunPromptDialog(dialog, nullptr));
  EXPECT_EQ(script_.shown, (QStringList{"Unable to find resource DLL: " +
                                            QString::fromStdString(dir.File("bad.rcc")),
                                        "Unable to find Dialog resource"}));
}

// Every control that a shipped control file describes is in its shipped layout.
TEST(ShippedPromptLayouts, HoldTheControlsTheirControlFilesName) {
  const std::string data = testing_support::ShippedDataDirectory();
  for (const char* control_file : {"FCNPURP.CTL", "MODDESC.CTL"}) {
    FakeApp fake;
    PromptDialog seen;
    fake.ui.on_prompt = [&](PromptDialog& dialog) {
      seen = dialog;
      return false;
    };
    engine::VariableTable table;
    PromptDialogStep step(fake.app);
    engine::TextExpander prompted(fake.ui, &step);
    EXPECT_FALSE(prompted.ExpandControlFile(data + "/" + control_file, table, 0));
    ASSERT_FALSE(seen.controls.empty()) << control_file;
    ResourceRegistration registration(QString::fromStdString(seen.library_path));
    ASSERT_TRUE(registration.registered()) << control_file;
    PromptLayout layout(seen.resource_id, nullptr);
    ASSERT_NE(layout.dialog(), nullptr) << control_file;
    for (const PromptControl& control : seen.controls) {
      ASSERT_NE(control.kind, Kind::kIgnored) << control_file << " " << control.section;
      EXPECT_NE(layout.Control(control.control_id), nullptr)
          << control_file << " " << control.section;
    }
  }
}

}  // namespace
}  // namespace quorvan
