// tallowik's sheet on its real widgets against an in-memory store and a temporary
// project directory: the main page, OK from any page, the Base Classes page and its
// dialog, the Defaults and User Strings pages, help contexts and page keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "config/memory_store.h"
#include "config/settings.h"
#include "settings/config_page.h"
#include "settings/message_box.h"
#include "support/temp_dir.h"
#include "tallowik/class_generator.h"
#include "tallowik/class_wizard_file.h"
#include "tallowik/qt/base_page.h"
#include "tallowik/qt/category_dialog.h"
#include "tallowik/qt/main_page.h"
#include "tallowik/qt/main_sheet.h"
#include "tallowik/qt/user_strings_page.h"
#include "tallowik/test_support.h"

namespace tallowik {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

class TallowikSheetTest : public ::testing::Test {
 protected:
  TallowikSheetTest() : cwd_(project_.path()) {
    settings::SetMessageScript(&script_);
    project_.Write("T.H", "// $_UserID: $_ClassName : $_BaseClass\n");
    project_.Write("T.CPP", "#include \"$_HeaderFile\"\n");
    project_.Write("MYAPP.clw", "[General Info]\nResourceCount=1\nResource1=IDD_ABOUT\n");
    settings_.WriteSetting("Default", "Defaults", "User ID", "stored");
    AddCategory(0, "Window", "CWnd", "Frame Title", 0);
    AddCategory(1, "Dialog", "CDialog", "", 1);
  }
  ~TallowikSheetTest() override {
    sheet_.reset();
    settings::SetMessageScript(nullptr);
    CategoryDialog::SetFileChooser(nullptr);
    CategoryDialog::ForgetDirectory();
  }

  void AddCategory(int i, const std::string& name, const std::string& base,
                   const std::string& prompt, int clw) {
    settings_.WriteSettingNumber("Default", "Base Classes", "Number", i + 1);
    settings_.WriteSetting("Default", "Base Classes", "Class Description", i, name);
    const std::string key = CategoryKey(i);
    settings_.WriteSetting("Default", key, "Base Class", base);
    settings_.WriteSetting("Default", key, "Class Specific Prompt", prompt);
    settings_.WriteSetting("Default", key, "Header Template", "T.H");
    settings_.WriteSetting("Default", key, "Source Template", "T.CPP");
    settings_.WriteSettingNumber("Default", key, "Add to CLW", clw);
  }

  MainSheet& Sheet() {
    if (!sheet_) {
      sheet_ = std::make_unique<MainSheet>(settings_, clock_, dde_,
                                           ProjectArguments{"MYAPP", project_.path()});
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
  // Runs `act` on the next modal window once it is shown.
  static void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      act(modal);
    });
  }
  static void TypeInto(QWidget* dialog, const char* edit, const QString& text) {
    QLineEdit* line = dialog->findChild<QLineEdit*>(edit);
    ASSERT_NE(line, nullptr) << edit;
    line->selectAll();
    QTest::keyClicks(line, text);
  }

  TempDir project_;
  tallowik_testing::CurrentDirectoryGuard cwd_;
  config::MemoryStore store_;
  config::Settings settings_{store_};
  engine::SystemClock clock_;
  tallowik_testing::FakeDdeClient dde_;
  settings::MessageScript script_;
  std::unique_ptr<MainSheet> sheet_;
};

TEST_F(TallowikSheetTest, SheetHasItsTitlePagesAndChooser) {
  EXPECT_EQ(Sheet().windowTitle(), "Tallowick 1.5");
  EXPECT_EQ(Sheet().chooser()->property("controlId").toInt(), 1091);
  QTabBar* tabs = Find<QTabBar>("pageTabs");
  QStringList titles;
  for (int i = 0; i < tabs->count(); ++i) titles << tabs->tabText(i);
  EXPECT_EQ(titles, QStringList({"Generator", "Base Classes", "Defaults", "User Strings",
                                 "Configurations"}));
  EXPECT_EQ(Find<QLabel>("descriptionLabel")->text(), "&Class  Description:");
  EXPECT_EQ(Find<QCheckBox>("addToClwCheck")->text(), "Add Class to Class Wi&zard");
}

TEST_F(TallowikSheetTest, ClassNameFillsTheFileFieldsInUpperCase) {
  const struct {
    const char* typed;
    const char* header;
    const char* source;
  } cases[] = {{"CMyDialog", "MYDIALOG.H", "MYDIALOG.CPP"},
               {"cLongClassName", "LONGCLAS.H", "LONGCLAS.CPP"},
               {"C", "", ""}};
  for (const auto& c : cases) {
    Type("classNameEdit", c.typed);
    EXPECT_EQ(Find<QLineEdit>("headerFileEdit")->text(), c.header) << c.typed;
    EXPECT_EQ(Find<QLineEdit>("sourceFileEdit")->text(), c.source) << c.typed;
  }
  Type("headerFileEdit", "mine.h");
  EXPECT_EQ(Find<QLineEdit>("headerFileEdit")->text(), "MINE.H");
  EXPECT_EQ(Sheet().main_page()->model().values().header_file, "MINE.H");
  Type("classNameEdit", "CView");
  EXPECT_EQ(Find<QLineEdit>("headerFileEdit")->text(), "VIEW.H") << "the class name wins again";
  EXPECT_TRUE(Sheet().apply_button()->isEnabled());
}

TEST_F(TallowikSheetTest, CategoryChoiceSetsBaseClassLabelAndCheckBox) {
  QComboBox* categories = Find<QComboBox>("categoryCombo");
  ASSERT_EQ(categories->count(), 2);
  EXPECT_EQ(categories->itemText(0), "Dialog") << "sorted, not in number order";
  EXPECT_EQ(Find<QComboBox>("resourceCombo")->currentText(), "IDD_ABOUT");
  categories->setCurrentIndex(1);
  EXPECT_EQ(Find<QComboBox>("baseClassCombo")->currentText(), "CWnd");
  EXPECT_EQ(Find<QLabel>("specificLabel")->text(), "Frame Title");
  EXPECT_FALSE(Find<QCheckBox>("addToClwCheck")->isChecked());
  categories->setCurrentIndex(0);
  EXPECT_EQ(Find<QComboBox>("baseClassCombo")->currentText(), "CDialog");
  EXPECT_EQ(Find<QLabel>("specificLabel")->text(), "Class S&pecific String");
  EXPECT_TRUE(Find<QCheckBox>("addToClwCheck")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("addToClwCheck")->isEnabled());
  EXPECT_FALSE(Sheet().apply_button()->isEnabled()) << "only the class name changes the page";
}

TEST_F(TallowikSheetTest, LeavingWithoutFileNamesAsksOkOrCancel) {
  Type("classNameEdit", "C");
  script_.answers = {false};
  EXPECT_FALSE(Sheet().SetActivePage(2));
  EXPECT_EQ(Sheet().active_index(), 0) << "Cancel stays";
  ASSERT_EQ(script_.shown.size(), 1);
  EXPECT_EQ(script_.shown[0],
            "    Insufficient Information has been given to\n"
            "generate a class.  No class files will be generated.");
  script_.answers = {true};
  EXPECT_TRUE(Sheet().SetActivePage(2));
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);
  EXPECT_FALSE(FileExists(project_.File("MYDIALOG.H")));
  EXPECT_TRUE(dde_.executed.empty());
}

TEST_F(TallowikSheetTest, OkOnAnotherPageGeneratesWithTheSettingsStoredBefore) {
  Type("classNameEdit", "CMyDialog");
  EXPECT_FALSE(Find<QCheckBox>("addToClwCheck")->isChecked()) << "no last-used value yet";
  QTest::mouseClick(Find<QCheckBox>("addToClwCheck"), Qt::LeftButton);
  Sheet().SetActivePage(2);
  Type("userIdEdit", "edited");
  Sheet().SetActivePage(1);
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);
  EXPECT_EQ(ReadFile(project_.File("MYDIALOG.H")), "// stored: CMyDialog : CDialog\n");
  EXPECT_EQ(ReadFile(project_.File("MYDIALOG.CPP")), "#include \"MYDIALOG.H\"\n");
  EXPECT_EQ(settings_.ReadSetting("Default", "Defaults", "User ID", ""), "edited");
  EXPECT_EQ(dde_.executed, std::vector<std::string>{"MSVC|SYSTEM|OPEN (\"MYDIALOG.CPP\")"});
  EXPECT_EQ(ListClwClasses(project_.File("MYAPP.clw")), std::vector<std::string>{"CMyDialog"});
  EXPECT_EQ(Sheet().result(), QDialog::Accepted);
  EXPECT_FALSE(Sheet().main_page()->generation_failed());
}

TEST_F(TallowikSheetTest, ApplyThenOkGeneratesOnce) {
  Type("classNameEdit", "CMyDialog");
  QTest::mouseClick(Sheet().apply_button(), Qt::LeftButton);
  EXPECT_TRUE(FileExists(project_.File("MYDIALOG.H")));
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);
  EXPECT_EQ(ReadFile(project_.File("MYDIALOG.H")), "// stored: CMyDialog : CDialog\n")
      << "not appended a second time";
  EXPECT_EQ(dde_.executed.size(), 1u);
}

TEST_F(TallowikSheetTest, MissingTemplateIsAMessageAndTheSheetStillCloses) {
  settings_.WriteSetting("Default", CategoryKey(1), "Header Template", "GONE.H");
  Type("classNameEdit", "CMyDialog");
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);
  EXPECT_EQ(script_.shown, QStringList{"Unable to open template file GONE.H"});
  EXPECT_FALSE(FileExists(project_.File("MYDIALOG.H")));
  EXPECT_TRUE(Sheet().main_page()->generation_failed());
  EXPECT_FALSE(Sheet().isVisible());
}

TEST_F(TallowikSheetTest, CategoryDialogChecksInOrder) {
  const struct {
    const char* name;
    const char* base;
    const char* header;
    const char* source;
    std::deque<bool> answers;
    QStringList shown;
    bool accepted;
    const char* focus;
  } cases[] = {
      {"", "CView", "V.H", "V.CPP", {}, {"Class Description needed!!"}, false, "nameEdit"},
      {"View", "CView", "", "", {}, {"Header File Name needed!!"}, false, "headerTemplateEdit"},
      {"View", "CView", "V.H", "", {}, {"Source File Name needed!!"}, false, "sourceTemplateEdit"},
      {"View",
       "",
       "V.H",
       "V.CPP",
       {false},
       {"No default base class specified, are you sure you want to exit?"},
       false,
       "baseClassEdit"},
      {"View",
       "",
       "V.H",
       "V.CPP",
       {true},
       {"No default base class specified, are you sure you want to exit?"},
       true,
       nullptr},
      {"View", "CView", "v.h", "v.cpp", {}, {}, true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    script_ = settings::MessageScript{c.answers, {}};
    CategoryDialog dialog(BaseClassCategory{});
    dialog.show();
    TypeInto(&dialog, "nameEdit", c.name);
    TypeInto(&dialog, "baseClassEdit", c.base);
    TypeInto(&dialog, "headerTemplateEdit", c.header);
    TypeInto(&dialog, "sourceTemplateEdit", c.source);
    dialog.accept();
    EXPECT_EQ(script_.shown, c.shown);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
    if (c.focus) {
      ASSERT_NE(dialog.focusWidget(), nullptr);
      EXPECT_EQ(dialog.focusWidget()->objectName(), c.focus);
    }
    if (c.accepted) {
      EXPECT_EQ(dialog.values().specific_prompt, "Class S&pecific String");
      EXPECT_EQ(dialog.values().header_template, QString(c.header).toUpper().toStdString());
    }
  }
  CategoryDialog dialog(BaseClassCategory{});
  TypeInto(&dialog, "baseClassEdit", QString(150, 'x'));
  EXPECT_EQ(dialog.values().base_class.size(), 100u);
}

TEST_F(TallowikSheetTest, BrowseFillsNamesAndRemembersOneDirectory) {
  QStringList asked_in;
  QStringList answers{"/tpl/dialogs/Dialog.h", "/other/VIEW.CPP", ""};
  CategoryDialog::SetFileChooser(
      [&](QWidget*, const QString& directory, const QString& filter, const QString& suffix) {
        asked_in << directory + "|" + filter + "|" + suffix;
        return answers.takeFirst();
      });
  CategoryDialog dialog(BaseClassCategory{});
  dialog.BrowseHeader();
  EXPECT_EQ(dialog.values().header_template, "DIALOG.H");
  EXPECT_EQ(dialog.values().source_template, "DIALOG.CPP");
  dialog.BrowseSource();
  EXPECT_EQ(dialog.values().source_template, "VIEW.CPP");
  EXPECT_EQ(dialog.values().header_template, "DIALOG.H") << "a filled field stays";
  dialog.BrowseHeader();  // cancelled
  EXPECT_EQ(dialog.values().header_template, "DIALOG.H");
  ASSERT_EQ(asked_in.size(), 3);
  EXPECT_TRUE(asked_in[0].startsWith("|Header Files (*.h *.hpp)")) << asked_in[0].toStdString();
  EXPECT_TRUE(asked_in[0].endsWith("|h"));
  EXPECT_TRUE(asked_in[1].startsWith("/tpl/dialogs|Source Files (*.cpp)"));
  EXPECT_TRUE(asked_in[2].startsWith("/other|"));
  EXPECT_EQ(CategoryDialog::RememberedDirectory(), "/other");
}

TEST_F(TallowikSheetTest, BasePageEditsInMemoryAndCommitRenumbersByName) {
  AddCategory(2, "Dialog", "CDialogEx", "", 0);  // a duplicate name
  Sheet().SetActivePage(1);
  BasePage* page = Sheet().base_page();
  auto names = [page] {
    std::vector<std::string> list;
    for (const BaseClassCategory& c : page->categories()) list.push_back(c.name);
    return list;
  };
  EXPECT_EQ(names(), (std::vector<std::string>{"Dialog", "Dialog", "Window"}));
  EXPECT_EQ(page->selected_row(), 1) << "the entry loaded last";

  OnNextModal([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Base Class Category");
    TypeInto(dialog, "nameEdit", "Alpha");
    TypeInto(dialog, "baseClassEdit", "CAlpha");
    TypeInto(dialog, "headerTemplateEdit", "a.h");
    TypeInto(dialog, "sourceTemplateEdit", "a.cpp");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  page->AddPressed();
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Dialog", "Dialog", "Window"}));
  EXPECT_EQ(page->selected_row(), 0);

  page->SelectRow(3);
  OnNextModal([](QWidget* dialog) {
    TypeInto(dialog, "nameEdit", "Bravo");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  page->ChangePressed();
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Bravo", "Dialog", "Dialog"}));
  EXPECT_EQ(page->selected_row(), 1);
  EXPECT_EQ(page->categories()[1].base_class, "CWnd") << "the other values kept";

  page->SelectRow(3);
  page->DeletePressed();
  EXPECT_EQ(page->selected_row(), 2) << "the new last entry";
  QTest::mouseClick(Sheet().ok_button(), Qt::LeftButton);

  EXPECT_EQ(settings_.ReadSettingNumber("Default", "Base Classes", "Number", 0), 3);
  const char* expected[] = {"Alpha", "Bravo", "Dialog"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(settings_.ReadSetting("Default", "Base Classes", "Class Description", i, ""),
              expected[i]);
  }
  EXPECT_EQ(settings_.ReadSetting("Default", CategoryKey(0), "Header Template", ""), "A.H");
  EXPECT_EQ(settings_.ReadSetting("Default", CategoryKey(1), "Class Specific Prompt", ""),
            "Frame Title");
  EXPECT_EQ(settings_.ReadSetting("Default", "Base Classes", "Class Description", 3, "<none>"),
            "<none>");
}

TEST_F(TallowikSheetTest, DeletingTheOnlyCategoryLeavesNoSelection) {
  settings_.WriteSettingNumber("Default", "Base Classes", "Number", 1);
  Sheet().SetActivePage(1);
  BasePage* page = Sheet().base_page();
  page->DeletePressed();
  EXPECT_TRUE(page->categories().empty());
  EXPECT_EQ(page->selected_row(), -1);
  page->DeletePressed();  // nothing selected: nothing happens
  EXPECT_TRUE(page->modified());
}

TEST_F(TallowikSheetTest, UserStringsListShowsMovesAndEdits) {
  settings_.WriteSettingNumber("Default", "User Strings", "Num User Replacements", 3);
  const char* pairs[][2] = {
      {"1234567890123456", "sixteen"}, {"123456789012345", "fifteen"}, {"$_X", "x"}};
  for (int i = 0; i < 3; ++i) {
    settings_.WriteSetting("Default", "User Strings", "User Holder", i, pairs[i][0]);
    settings_.WriteSetting("Default", "User Strings", "User Replacement", i, pairs[i][1]);
  }
  Sheet().SetActivePage(3);
  UserStringsPage* page = Sheet().user_strings_page();
  EXPECT_EQ(page->ShownText(0), "123456789012...\tsixteen");
  EXPECT_EQ(page->ShownText(1), "123456789012345\tfifteen");
  QPushButton* up = Find<QPushButton>("upButton");
  QPushButton* down = Find<QPushButton>("downButton");
  EXPECT_FALSE(up->isEnabled());
  EXPECT_FALSE(down->isEnabled());

  page->SelectRow(1);
  QTest::mouseClick(down, Qt::LeftButton);
  EXPECT_EQ(page->selected_row(), 2);
  EXPECT_EQ(page->pairs()[2].replace, "123456789012345");
  EXPECT_FALSE(down->isEnabled());
  EXPECT_TRUE(up->isEnabled());

  script_ = settings::MessageScript{};
  OnNextModal([this](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Replacement String");
    EXPECT_EQ(Sheet().HelpContext(), 259);
    QMetaObject::invokeMethod(dialog, "accept");
    TypeInto(dialog, "replaceEdit", " $_Co ");
    QMetaObject::invokeMethod(dialog, "accept");
    TypeInto(dialog, "withEdit", "Acme \"Ltd\"");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  page->AddPressed();
  EXPECT_EQ(script_.shown,
            QStringList({"Need to replace something!!", "Need to replace with something!!"}));
  EXPECT_EQ(Sheet().HelpContext(), 4) << "reset when the dialog closes";
  ASSERT_EQ(page->pairs().size(), 4u);
  EXPECT_EQ(page->pairs()[3], (UserStringPair{" $_Co ", "Acme \"Ltd\""})) << "not trimmed";
  EXPECT_EQ(page->selected_row(), 3);

  page->DeletePressed();
  EXPECT_EQ(page->selected_row(), 2) << "the new last entry";
  QTest::mouseClick(Sheet().apply_button(), Qt::LeftButton);
  EXPECT_EQ(settings_.ReadSetting("Default", "User Strings", "User Holder", 1, ""), "$_X");
  EXPECT_EQ(settings_.ReadSetting("Default", "User Strings", "User Holder", 2, ""),
            "123456789012345");
}

TEST_F(TallowikSheetTest, DialogsSetTheirHelpContextAndCancelResetsIt) {
  Sheet().SetActivePage(1);
  int seen = 0;
  OnNextModal([&](QWidget* dialog) {
    seen = Sheet().HelpContext();
    QMetaObject::invokeMethod(dialog, "reject");
  });
  Sheet().base_page()->AddPressed();
  EXPECT_EQ(seen, 257);
  EXPECT_EQ(Sheet().HelpContext(), 2);

  Sheet().SetActivePage(4);
  OnNextModal([&](QWidget* dialog) {
    seen = Sheet().HelpContext();
    QMetaObject::invokeMethod(dialog, "reject");
  });
  Sheet().config_page()->AddPressed();
  EXPECT_EQ(seen, 258);
  EXPECT_EQ(Sheet().HelpContext(), 5);
}

TEST_F(TallowikSheetTest, ControlKeysSwitchPagesThroughTheLeaveProtocol) {
  Sheet().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Sheet()));
  QWidget* focus = Find<QLineEdit>("classNameEdit");
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int page;
  } steps[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
               {Qt::Key_PageDown, Qt::ControlModifier, 2},
               {Qt::Key_PageUp, Qt::ControlModifier, 1},
               {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0},
               {Qt::Key_PageUp, Qt::ControlModifier, 4}};
  for (const auto& step : steps) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : focus, step.key,
                    step.modifiers);
    EXPECT_EQ(Sheet().active_index(), step.page);
  }
  Sheet().SetActivePage(0);
  Type("classNameEdit", "C");
  script_.answers = {false};
  QTest::keyClick(Find<QLineEdit>("classNameEdit"), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Sheet().active_index(), 0) << "the page refused to be left";
  EXPECT_EQ(script_.shown.size(), 1);
}

}  // namespace
}  // namespace tallowik
