// The settings sheet on its real widgets: the Defaults and Configurations pages
// against an in-memory store, the Modified / PendingEdits scheme, the chooser, OK,
// Cancel, Apply Now and Help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/memory_store.h"
#include "config/settings.h"
#include "quorvan/action_table.h"
#include "quorvan/qt/defaults_page.h"
#include "quorvan/qt/main_sheet.h"
#include "settings/config_page.h"
#include "settings/message_box.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

class SettingsSheetTest : public ::testing::Test {
 protected:
  SettingsSheetTest() : settings_(store_) { settings::SetMessageScript(&script_); }
  ~SettingsSheetTest() override { settings::SetMessageScript(nullptr); }

  MainSheet& Sheet() {
    if (!sheet_) {
      sheet_ = std::make_unique<MainSheet>(settings_, ActionTable(), [this](int index) {
        actions_run_.push_back(index);
        // What the action sees of the store when it runs.
        seen_user_ = settings_.ReadSetting("Defaults", "User ID", "");
        return action_succeeds_;
      });
    }
    return *sheet_;
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = Sheet().findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Type(const char* edit, const QString& text) {
    QLineEdit* line = Find<QLineEdit>(edit);
    line->selectAll();
    QTest::keyClicks(line, text);
  }
  std::string Stored(const std::string& configuration, const std::string& name) {
    return settings_.ReadSetting(configuration, "Defaults", name, "<absent>");
  }
  void AddConfigurations(const std::vector<std::string>& names) {
    settings_.WriteSectionNumber("Configurations", "Number of Configs",
                                 static_cast<int>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
      settings_.WriteSectionValue("Configurations", "Configuration", static_cast<int>(i), names[i]);
    }
  }
  // Runs `act` on the next modal window once it is shown.
  static void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      act(modal);
    });
  }

  config::MemoryStore store_;
  config::Settings settings_;
  settings::MessageScript script_;
  std::unique_ptr<MainSheet> sheet_;
  std::vector<int> actions_run_;
  std::string seen_user_;
  bool action_succeeds_ = true;
};

TEST_F(SettingsSheetTest, GeneratorPageListsTheActionsWithTheSelectedDescription) {
  GeneratorPage* page = Sheet().generator_page();
  ASSERT_EQ(page->action_list()->count(), 10);
  EXPECT_EQ(page->action_list()->item(9)->text(), "Extract RTF as Text");
  EXPECT_EQ(page->action_list()->currentRow(), 0);
  EXPECT_EQ(page->description(), QString::fromUtf8(ActionTable()[0].description.data(),
                                                   ActionTable()[0].description.size()));
  page->action_list()->setCurrentRow(7);
  EXPECT_EQ(page->description().toStdString(), std::string(ActionTable()[7].description));
  EXPECT_EQ(Sheet().windowTitle(), "Quorvane 1.0");
  EXPECT_EQ(Sheet().chooser()->property("controlId").toInt(), 101);
}

TEST_F(SettingsSheetTest, NewConfigurationShowsBuiltInDefaultsAndAnEditCommitsThemAll) {
  Sheet().SetActivePage(1);
  EXPECT_EQ(Find<QLineEdit>("functionHeaderEdit")->text(), "FCNHDR.CTL");
  EXPECT_EQ(Find<QLineEdit>("swapGroupsEdit")->text(), "[CPP,H][C,H]");
  EXPECT_TRUE(Find<QCheckBox>("autoPasteCheck")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("byActionRadio")->isChecked());
  EXPECT_FALSE(Sheet().apply_button()->isEnabled()) << "loading is not an edit";

  Type("userIdEdit", "jdoe");
  EXPECT_TRUE(Sheet().apply_button()->isEnabled());
  QTest::mouseClick(Sheet().apply_button(), Qt::LeftButton);
  EXPECT_FALSE(Sheet().apply_button()->isEnabled());
  const std::pair<const char*, const char*> expected[] = {
      {"User ID", "jdoe"},
      {"Template Path", ""},
      {"Function Header File", "FCNHDR.CTL"},
      {"Module Header File", "MODHDR.CTL"},
      {"Access Member File", "ACCFCN.CTL"},
      {"Common Strings File", "COMMON.CTL"},
      {"File Command Line", "$_Filter $_Input $_Output"},
      {"Swap File Groupings", "[CPP,H][C,H]"},
  };
  for (auto [name, value] : expected) EXPECT_EQ(Stored("Default", name), value) << name;
  EXPECT_EQ(settings_.ReadSettingNumber("Default", "Defaults", "Auto Paste", -1), 1);
  EXPECT_EQ(settings_.ReadSettingNumber("Default", "Defaults", "Member Grouping", -1), 1002);
}

TEST_F(SettingsSheetTest, UnknownGroupingShowsNoButtonAndCommitsZero) {
  settings_.WriteSettingNumber("Default", "Defaults", "Member Grouping", 7);
  settings_.WriteSettingNumber("Default", "Defaults", "Auto Paste", 0);
  Sheet().SetActivePage(1);
  EXPECT_FALSE(Find<QRadioButton>("byActionRadio")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("byVariableRadio")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("autoPasteCheck")->isChecked());
  Type("companyNameEdit", "Works");
  Find<QLineEdit>("functionHeaderEdit")->clear();
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);
  EXPECT_EQ(settings_.ReadSettingNumber("Default", "Defaults", "Member Grouping", -1), 0);
  EXPECT_EQ(Stored("Default", "Company Name"), "Works");
  EXPECT_EQ(Stored("Default", "Function Header File"), "") << "an empty text is a value";
}

TEST_F(SettingsSheetTest, EditsSurvivePageSwitchesAndApplyFollowsTheActivePage) {
  Sheet().SetActivePage(1);
  Type("userIdEdit", "kim");
  DefaultsPage* defaults = Sheet().defaults_page();
  Sheet().SetActivePage(2);
  EXPECT_TRUE(defaults->pending_edits());
  EXPECT_FALSE(defaults->modified());
  EXPECT_FALSE(Sheet().apply_button()->isEnabled());
  EXPECT_FALSE(defaults->IsPageClean());
  Sheet().SetActivePage(1);
  EXPECT_TRUE(Sheet().apply_button()->isEnabled()) << "the edits are back as Modified";
  EXPECT_EQ(Find<QLineEdit>("userIdEdit")->text(), "kim");
  EXPECT_EQ(Stored("Default", "User ID"), "<absent>");
  QTest::mouseClick(Sheet().cancel_button(), Qt::LeftButton);
  EXPECT_EQ(Stored("Default", "User ID"), "<absent>") << "Cancel writes nothing";
  EXPECT_EQ(Sheet().result(), 2);
}

struct SwitchCase {
  const char* name;
  bool edit_first;
  bool apply_first;
  std::deque<bool> answers;
  int questions;
  const char* chooser_after;
  const char* user_shown_after;
};

TEST_F(SettingsSheetTest, ChooserSwitchAsksOnlyForUncommittedEdits) {
  const SwitchCase cases[] = {
      {"clean page: no question", false, false, {}, 0, "Work", "w-user"},
      {"edits kept on No", true, false, {false}, 1, "Default", "edited"},
      {"edits lost on Yes", true, false, {true}, 1, "Work", "w-user"},
      {"applied edits: no question", true, true, {}, 0, "Work", "w-user"},
  };
  for (const SwitchCase& c : cases) {
    SCOPED_TRACE(c.name);
    store_ = config::MemoryStore();
    sheet_.reset();
    script_ = settings::MessageScript{c.answers, {}};
    AddConfigurations({"Work"});
    settings_.WriteSetting("Work", "Defaults", "User ID", "w-user");
    Sheet().SetActivePage(1);
    if (c.edit_first) Type("userIdEdit", "edited");
    if (c.apply_first) QTest::mouseClick(Sheet().apply_button(), Qt::LeftButton);
    Sheet().chooser()->setCurrentIndex(Sheet().chooser()->findText("Work"));
    EXPECT_EQ(script_.shown.size(), c.questions);
    if (c.questions) EXPECT_EQ(script_.shown[0], "Lose changes to current Configuration?");
    EXPECT_EQ(Sheet().ChooserText(), c.chooser_after);
    EXPECT_EQ(Find<QLineEdit>("userIdEdit")->text(), c.user_shown_after);
    EXPECT_EQ(Sheet().last_confirmed_configuration(), c.chooser_after);
  }
}

TEST_F(SettingsSheetTest, OkOnTheGeneratorRunsTheActionBeforeTheOtherPagesCommit) {
  settings_.WriteSetting("Default", "Defaults", "User ID", "stored");
  Sheet().SetActivePage(1);
  Type("userIdEdit", "edited");
  Sheet().SetActivePage(0);
  Sheet().generator_page()->action_list()->setCurrentRow(3);
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);
  EXPECT_EQ(actions_run_, std::vector<int>{3});
  EXPECT_EQ(seen_user_, "stored");
  EXPECT_EQ(Stored("Default", "User ID"), "edited");
  EXPECT_EQ(Sheet().result(), 1);
  EXPECT_FALSE(Sheet().isVisible());
}

TEST_F(SettingsSheetTest, FailedActionStillClosesTheSheetWithTwo) {
  action_succeeds_ = false;
  Sheet().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Sheet()));
  QListWidget* list = Sheet().generator_page()->action_list();
  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(actions_run_, std::vector<int>{1}) << "a double-click is OK";
  EXPECT_EQ(Sheet().result(), 2);
  EXPECT_FALSE(Sheet().isVisible());
}

TEST_F(SettingsSheetTest, OkOnAnotherPageCommitsWithoutAnAction) {
  Sheet().SetActivePage(1);
  Type("userIdEdit", "kim");
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);
  EXPECT_TRUE(actions_run_.empty());
  EXPECT_EQ(Stored("Default", "User ID"), "kim");
  EXPECT_EQ(Sheet().result(), 2);
}

TEST_F(SettingsSheetTest, ClosingStoresTheChooserAsLastConfiguration) {
  const struct {
    const char* stored_last;
    const char* shown;
  } cases[] = {{nullptr, "Default"}, {"work", "Work"}, {"Gone", "Default"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored_last ? c.stored_last : "fresh");
    store_ = config::MemoryStore();
    sheet_.reset();
    AddConfigurations({"Work", "Alpha"});
    if (c.stored_last)
      settings_.WriteSectionValue("Configurations", "Last Configuration", c.stored_last);
    EXPECT_EQ(Sheet().ChooserText(), c.shown);
    EXPECT_EQ(Sheet().chooser()->count(), 3);
    EXPECT_EQ(Sheet().chooser()->itemText(0), "Alpha") << "sorted";
    EXPECT_EQ(settings_.CurrentConfiguration(), c.shown);
    QTest::mouseClick(Sheet().cancel_button(), Qt::LeftButton);
    EXPECT_EQ(settings_.ReadSectionValue("Configurations", "Last Configuration", ""), c.shown);
  }
}

TEST_F(SettingsSheetTest, ConfigurationsPageAddsDeletesAndRefillsTheChooser) {
  AddConfigurations({"Beta", "Delta", "Gamma"});
  Sheet().SetActivePage(2);
  settings::ConfigPage* page = Sheet().config_page();
  EXPECT_EQ(page->names(), QStringList({"Beta", "Delta", "Gamma"}));

  const struct {
    const char* typed;
    QStringList after;
  } adds[] = {
      {"alpha", {"alpha", "Beta", "Delta", "Gamma"}},  // sorted, not appended
      {"DEL", {"alpha", "Beta", "Delta", "Gamma"}},    // begins a listed name
      {"Epsilon", {"alpha", "Beta", "Delta", "Epsilon", "Gamma"}},
  };
  for (const auto& add : adds) {
    page->SetModified(false);
    OnNextModal([typed = add.typed](QWidget* dialog) {
      QTest::keyClicks(dialog->findChild<QLineEdit*>("nameEdit"), typed);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    page->AddPressed();
    EXPECT_EQ(page->names(), add.after) << add.typed;
    EXPECT_TRUE(page->modified()) << "also when nothing was added";
  }

  // An empty name is refused with a message and the dialog stays open.
  OnNextModal([this](QWidget* dialog) {
    QMetaObject::invokeMethod(dialog, "accept");
    EXPECT_EQ(script_.shown, QStringList{"Configuration name cannot be empty"});
    EXPECT_TRUE(dialog->isVisible());
    QMetaObject::invokeMethod(dialog, "reject");
  });
  page->AddPressed();
  EXPECT_EQ(page->names().size(), 5);

  QListWidget* list = page->findChild<QListWidget*>("configurationList");
  list->setCurrentRow(4);
  page->DeletePressed();
  EXPECT_EQ(list->currentRow(), 3) << "the new last entry";
  list->setCurrentRow(0);
  page->DeletePressed();
  EXPECT_EQ(list->currentItem()->text(), "Beta") << "the entry at the same position";
  list->clearSelection();
  list->setCurrentRow(-1);
  page->DeletePressed();
  EXPECT_EQ(page->names(), QStringList({"Beta", "Delta", "Epsilon"}));

  QTest::mouseClick(Sheet().apply_button(), Qt::LeftButton);
  EXPECT_EQ(settings_.ReadSectionNumber("Configurations", "Number of Configs", 0), 3);
  EXPECT_EQ(settings_.ReadSectionValue("Configurations", "Configuration2", ""), "Epsilon");
  EXPECT_EQ(settings_.ReadSectionValue("Configurations", "Last Configuration", ""), "Default");
  EXPECT_EQ(Sheet().chooser()->count(), 4);
  EXPECT_NE(Sheet().chooser()->findText("Epsilon"), -1);
}

TEST_F(SettingsSheetTest, DeletingTheOnlyEntryLeavesNoSelection) {
  AddConfigurations({"Solo"});
  Sheet().SetActivePage(2);
  QListWidget* list = Sheet().config_page()->findChild<QListWidget*>("configurationList");
  list->setCurrentRow(0);
  Sheet().config_page()->DeletePressed();
  EXPECT_EQ(list->count(), 0);
  EXPECT_EQ(list->currentRow(), -1);
}

TEST_F(SettingsSheetTest, HelpOpensTheActivePageTopicAndClosesWithTheSheet) {
  testing_support::TempDir dir;
  const std::string help = dir.Write("quorvan.html",
                                     "<html><body><a name=\"1\"></a>Generator<a name=\"2\"></a>"
                                     "Defaults<a name=\"3\"></a>Configurations</body></html>");
  Sheet().SetHelpFile(QString::fromStdString(help));
  Sheet().SetActivePage(2);
  QTest::mouseClick(Sheet().help_button(), Qt::LeftButton);
  ASSERT_NE(Sheet().help_window(), nullptr);
  EXPECT_TRUE(Sheet().help_window()->isVisible());
  EXPECT_EQ(Sheet().help_window()->browser()->source().fragment(), "3");
  QTest::mouseClick(Sheet().cancel_button(), Qt::LeftButton);
  EXPECT_FALSE(Sheet().help_window()->isVisible());

  sheet_.reset();
  Sheet().SetHelpFile("/nonexistent/quorvan.html");
  QTest::mouseClick(Sheet().help_button(), Qt::LeftButton);
  EXPECT_EQ(script_.shown, QStringList{"Unable to open help file /nonexistent/quorvan.html"});
}

}  // namespace
}  // namespace quorvan
