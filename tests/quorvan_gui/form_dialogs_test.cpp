// The action dialogs on real widgets: presets from the forms the actions build, the
// refusals of Form::Check, OK and Cancel, the list's double click, and the generic
// dialog of any other form.
#include "quorvan/qt/form_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "config/memory_store.h"
#include "config/settings.h"
#include "engine/templates.h"
#include "quorvan/actions/column_insert.h"
#include "quorvan/actions/common_entries.h"
#include "quorvan/actions/filter_request.h"
#include "settings/message_box.h"

namespace quorvan {
namespace {

using engine::kDefaultsSection;

template <typename T>
T* Child(QWidget& dialog, const char* name) {
  T* child = dialog.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

void Show(QWidget& dialog) {
  dialog.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

void Click(QWidget& dialog, QDialogButtonBox::StandardButton which) {
  QTest::mouseClick(Child<QDialogButtonBox>(dialog, "buttonBox")->button(which), Qt::LeftButton);
}

// The objectNames of the checked option buttons, in the order given.
QStringList Checked(QWidget& dialog, const QStringList& names) {
  QStringList checked;
  for (const QString& name : names) {
    if (Child<QRadioButton>(dialog, qPrintable(name))->isChecked()) checked << name;
  }
  return checked;
}

const QStringList kFilterButtons = {"redirectButton", "fileBasedButton", "literalButton",
                                    "hiddenButton", "visibleButton"};

class FormDialogsTest : public ::testing::Test {
 protected:
  FormDialogsTest() : settings_(store_) { settings::SetMessageScript(&script_); }
  ~FormDialogsTest() override { settings::SetMessageScript(nullptr); }

  config::MemoryStore store_;
  config::Settings settings_;
  settings::MessageScript script_;
};

TEST_F(FormDialogsTest, LayoutsCarryTheControlIdentifiers) {
  Form filter = MakeFilterForm(settings_);
  Form insert = MakeColumnInsertForm();
  Form strings = MakeCommonEntriesForm(CommonList::kStrings, {});
  const struct {
    Form* form;
    const char* object;
    int id;
  } cases[] = {
      {&filter, "commandEdit", 1012},     {&filter, "redirectButton", 1014},
      {&filter, "fileBasedButton", 1015}, {&filter, "literalButton", 1016},
      {&filter, "hiddenButton", 1010},    {&filter, "visibleButton", 1011},
      {&insert, "insertEdit", 1019},      {&insert, "translateCheck", 1021},
      {&strings, "entryList", 1018},
  };
  for (const auto& c : cases) {
    std::unique_ptr<FormDialog> dialog = MakeFormDialog(*c.form, nullptr);
    QWidget* control = Child<QWidget>(*dialog, c.object);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->property("controlId").toInt(), c.id) << c.object;
  }
  EXPECT_EQ(Child<QRadioButton>(*MakeFormDialog(filter, nullptr), "literalButton")->text(),
            "Literal ");
}

TEST_F(FormDialogsTest, FilterDialogShowsTheRememberedValues) {
  const struct {
    std::string command;
    int type;    // 0: nothing stored
    int window;  // 0: nothing stored
    QStringList checked;
  } cases[] = {
      {"", 0, 0, {"redirectButton", "visibleButton"}},  // first run
      {"sort /r", kLiteralButton, kHiddenButton, {"literalButton", "hiddenButton"}},
      {"tr a b", kFileBasedButton, kVisibleButton, {"fileBasedButton", "visibleButton"}},
  };
  for (const auto& c : cases) {
    config::MemoryStore store;
    config::Settings settings(store);
    if (!c.command.empty()) settings.WriteSetting(kDefaultsSection, kLastFilterCommand, c.command);
    if (c.type) settings.WriteSettingNumber(kDefaultsSection, kLastFilterType, c.type);
    if (c.window) settings.WriteSettingNumber(kDefaultsSection, kLastFilterShowState, c.window);
    Form form = MakeFilterForm(settings);
    std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "External Filter");
    EXPECT_EQ(Child<QLineEdit>(*dialog, "commandEdit")->text().toStdString(), c.command);
    EXPECT_EQ(Checked(*dialog, kFilterButtons), c.checked) << c.command;
  }
}

TEST_F(FormDialogsTest, GroupWithoutPresetShowsNothingChecked) {
  Form form = MakeFilterForm(settings_);
  form.fields[kFilterTypeField].selected = -1;
  std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
  EXPECT_EQ(Checked(*dialog, kFilterButtons), QStringList{"visibleButton"});
  Show(*dialog);
  Click(*dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(form.fields[kFilterTypeField].selected, -1);
}

// The length limits come from Form::Check, not from the edit: a refused entry gets
// the message and the focus, and the dialog stays open with the entry in place.
TEST_F(FormDialogsTest, LengthLimitsRefuseOnOk) {
  const struct {
    std::function<Form(const config::Settings&)> make;
    const char* edit;
    int length;
    const char* message;  // null: accepted
  } cases[] = {
      {MakeFilterForm, "commandEdit", 125, nullptr},
      {MakeFilterForm, "commandEdit", 126, "Please enter no more than 125 characters."},
      {[](const config::Settings&) { return MakeColumnInsertForm(); }, "insertEdit", 255, nullptr},
      {[](const config::Settings&) { return MakeColumnInsertForm(); }, "insertEdit", 256,
       "Please enter no more than 255 characters."},
  };
  for (const auto& c : cases) {
    script_.shown.clear();
    Form form = c.make(settings_);
    std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
    Show(*dialog);
    QLineEdit* edit = Child<QLineEdit>(*dialog, c.edit);
    EXPECT_EQ(edit->maxLength(), 32767);  // Qt's default: no limit of its own
    const QString entry(c.length, QLatin1Char('x'));
    edit->setText(entry);
    // The column insert's other field does not take part in the refusal.
    if (auto* translate = dialog->findChild<QCheckBox*>("translateCheck")) {
      translate->setChecked(true);
    }
    Click(*dialog, QDialogButtonBox::Ok);
    if (c.message) {
      EXPECT_EQ(script_.shown, QStringList{c.message}) << c.length;
      EXPECT_TRUE(dialog->isVisible());
      EXPECT_EQ(dialog->focusWidget(), edit);
      EXPECT_EQ(edit->text(), entry);
      EXPECT_TRUE(form.fields[0].text.empty());
    } else {
      EXPECT_TRUE(script_.shown.isEmpty()) << c.length;
      EXPECT_EQ(dialog->result(), QDialog::Accepted);
      EXPECT_EQ(form.fields[0].text, entry.toStdString());
    }
  }
}

// The filter's choices are remembered as they stand when OK is pressed, even when the
// command is then refused; Cancel stores nothing and leaves the form alone.
TEST_F(FormDialogsTest, FilterRemembersAtOkOnlyAndCancelChangesNothing) {
  Form form = MakeFilterForm(settings_);
  {
    std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
    Show(*dialog);
    Child<QLineEdit>(*dialog, "commandEdit")->setText("sort");
    Child<QRadioButton>(*dialog, "literalButton")->click();
    Click(*dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
  }
  EXPECT_EQ(form.fields[kFilterCommandField].text, "");
  EXPECT_EQ(form.fields[kFilterTypeField].selected, 0);
  EXPECT_FALSE(settings_.ReadSettingNumber(kDefaultsSection, kLastFilterType, 0));

  std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
  Show(*dialog);
  const std::string too_long(126, 'y');
  Child<QLineEdit>(*dialog, "commandEdit")->setText(QString::fromStdString(too_long));
  Child<QRadioButton>(*dialog, "fileBasedButton")->click();
  Child<QRadioButton>(*dialog, "hiddenButton")->click();
  Click(*dialog, QDialogButtonBox::Ok);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(settings_.ReadSetting(kDefaultsSection, kLastFilterCommand, ""), too_long);
  EXPECT_EQ(settings_.ReadSettingNumber(kDefaultsSection, kLastFilterType, 0), kFileBasedButton);
  EXPECT_EQ(settings_.ReadSettingNumber(kDefaultsSection, kLastFilterShowState, 0), kHiddenButton);

  Child<QLineEdit>(*dialog, "commandEdit")->setText("myfilt -x");
  Click(*dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  const FilterRequest request = FilterRequestFromForm(form);
  EXPECT_EQ(request.command, "myfilt -x");
  EXPECT_EQ(request.type, kFileFilter);
  EXPECT_EQ(request.show_state, platform::kShowHidden);
}

TEST_F(FormDialogsTest, ColumnInsertStartsEmptyAndReturnsItsEntries) {
  Form form = MakeColumnInsertForm();
  std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
  Show(*dialog);
  QLineEdit* edit = Child<QLineEdit>(*dialog, "insertEdit");
  QCheckBox* translate = Child<QCheckBox>(*dialog, "translateCheck");
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_FALSE(translate->isChecked());
  QTest::keyClicks(edit, "// \\t");
  translate->click();
  QTest::keyClick(edit, Qt::Key_Return);  // OK is the default button
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(form.fields[kInsertTextField].text, "// \\t");
  EXPECT_TRUE(form.fields[kTranslateEscapesField].checked);
}

TEST_F(FormDialogsTest, CommonEntries) {
  enum class Press { kOk, kCancel, kDoubleClickSecond, kOkAfterClearing };
  const struct {
    CommonList list;
    std::vector<std::string> entries;
    Press press;
    QDialog::DialogCode result;
    int selected;
  } cases[] = {
      {CommonList::kStrings, {"one", "two"}, Press::kOk, QDialog::Accepted, 0},
      {CommonList::kFiles, {"a.h", "b.h"}, Press::kDoubleClickSecond, QDialog::Accepted, 1},
      {CommonList::kStrings, {"one", "two"}, Press::kOkAfterClearing, QDialog::Accepted, -1},
      {CommonList::kStrings, {}, Press::kOk, QDialog::Accepted, -1},
      {CommonList::kFiles, {"a.h"}, Press::kCancel, QDialog::Rejected, 0},
  };
  for (const auto& c : cases) {
    Form form = MakeCommonEntriesForm(c.list, c.entries);
    std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
    Show(*dialog);
    EXPECT_EQ(dialog->windowTitle(),
              c.list == CommonList::kStrings ? "Common Strings" : "Common Files");
    QListWidget* list = Child<QListWidget>(*dialog, "entryList");
    ASSERT_EQ(list->count(), static_cast<int>(c.entries.size()));
    EXPECT_EQ(list->selectedItems().size(), c.entries.empty() ? 0 : 1);
    switch (c.press) {
      case Press::kOkAfterClearing:
        list->clearSelection();
        [[fallthrough]];
      case Press::kOk:
        Click(*dialog, QDialogButtonBox::Ok);
        break;
      case Press::kCancel:
        list->setCurrentRow(-1);
        Click(*dialog, QDialogButtonBox::Cancel);
        break;
      case Press::kDoubleClickSecond: {
        const QPoint at = list->visualItemRect(list->item(1)).center();
        // The events of a real double click: QTest::mouseDClick sends only the second.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        break;
      }
    }
    EXPECT_EQ(dialog->result(), c.result);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(form.fields[0].selected, c.selected);
  }
}

// Any other form, and a known identifier whose fields do not fit its layout, get the
// dialog built from the fields, under the same rules.
TEST_F(FormDialogsTest, GenericDialogMapsEveryKind) {
  Form form;
  form.identifier = "External Filter";  // but not the filter's fields
  form.title = "Options";
  form.fields = {FormField::Edit("Name:", "abc", 3), FormField::RadioGroup("Mode", {"A", "B"}, -1),
                 FormField::List("Pick", {"x", "y"}, 1), FormField::CheckBox("Loud", true)};
  std::size_t checks = 0;
  form.validator = [&checks](const Form& current, std::size_t index) -> std::optional<std::string> {
    ++checks;
    if (index == 1 && current.fields[1].selected < 0) return "Choose a mode.";
    return std::nullopt;
  };
  std::unique_ptr<FormDialog> dialog = MakeFormDialog(form, nullptr);
  Show(*dialog);
  EXPECT_EQ(dialog->windowTitle(), "Options");
  QLineEdit* edit = Child<QLineEdit>(*dialog, "field0");
  EXPECT_EQ(edit->text(), "abc");
  EXPECT_FALSE(Child<QRadioButton>(*dialog, "field1choice0")->isChecked());
  EXPECT_FALSE(Child<QRadioButton>(*dialog, "field1choice1")->isChecked());
  EXPECT_EQ(Child<QListWidget>(*dialog, "field2")->currentRow(), 1);
  EXPECT_TRUE(Child<QCheckBox>(*dialog, "field3")->isChecked());

  edit->setText("abcd");
  Click(*dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(script_.shown, QStringList{"Please enter no more than 3 characters."});
  EXPECT_EQ(dialog->focusWidget(), edit);
  edit->setText("xy");
  Click(*dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(script_.shown.last(), "Choose a mode.");
  EXPECT_EQ(dialog->focusWidget(), Child<QRadioButton>(*dialog, "field1choice0"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(form.fields[0].text, "abc");

  Child<QRadioButton>(*dialog, "field1choice1")->click();
  Child<QListWidget>(*dialog, "field2")->setCurrentRow(0);
  Child<QCheckBox>(*dialog, "field3")->click();
  Click(*dialog, QDialogButtonBox::Ok);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(form.fields[0].text, "xy");
  EXPECT_EQ(form.fields[1].selected, 1);
  EXPECT_EQ(form.fields[2].selected, 0);
  EXPECT_FALSE(form.fields[3].checked);
  // In field order, stopping at the refused field; the length limit refuses before
  // the validator is asked.
  EXPECT_EQ(checks, 0u + 2u + 4u);
}

TEST_F(FormDialogsTest, RunFormDialogIsModalAndCentredOverItsOwner) {
  QWidget owner;
  owner.setGeometry(100, 120, 600, 400);
  owner.show();
  Form form = MakeColumnInsertForm();
  QPoint centre;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    // Found through its owner, so that a failure cannot leave the test blocked.
    FormDialog* dialog = owner.findChild<FormDialog*>();
    ASSERT_NE(dialog, nullptr);
    modal = dialog->isModal() && QApplication::activeModalWidget() == dialog;
    centre = dialog->geometry().center();
    dialog->findChild<QLineEdit*>("insertEdit")->setText("ok");
    Click(*dialog, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(RunFormDialog(form, &owner));
  EXPECT_TRUE(modal);
  EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 40);
  EXPECT_EQ(form.fields[kInsertTextField].text, "ok");
}

}  // namespace
}  // namespace quorvan
