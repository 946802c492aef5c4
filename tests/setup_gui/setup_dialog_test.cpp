// setup's dialog driven through its real widgets.
#include "setup/qt/setup_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>

#include "config/memory_store.h"
#include "config/settings.h"
#include "settings/message_box.h"
#include "setup/file_lists.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing_support::TempDir;

class SetupDialogTest : public ::testing::Test {
 protected:
  SetupDialogTest() : settings_(store_) {
    std::filesystem::create_directory(dir_.File("medium"));
    for (auto list : {ProgramFiles(), TemplateFiles(), ResourceFiles()}) {
      for (std::string_view name : list) dir_.Write("medium/" + std::string(name), "x");
    }
    settings::SetMessageScript(&messages_);
  }
  ~SetupDialogTest() override { settings::SetMessageScript(nullptr); }

  template <typename T>
  T* Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  void PressOk(SetupDialog& dialog) {
    Child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
  }

  TempDir dir_;
  config::MemoryStore store_;
  config::Settings settings_;
  Installer installer_{settings_, dir_.File("medium"), dir_.path(), "/home/ann"};
  settings::MessageScript messages_;
};

TEST_F(SetupDialogTest, ShowsThePresetsTheBoxesAndTheInitialStatus) {
  SetupDialog dialog(installer_,
                     {.user_name = "Ann", .company_name = "Acme", .destination = "/opt/pm/"});
  EXPECT_EQ(dialog.windowTitle(), "Pellmoor Setup");
  EXPECT_EQ(Child<QLineEdit>(dialog, "userNameEdit")->text(), "Ann");
  EXPECT_EQ(Child<QLineEdit>(dialog, "companyNameEdit")->text(), "Acme");
  EXPECT_EQ(Child<QLineEdit>(dialog, "destinationEdit")->text(), "/opt/pm/");
  EXPECT_FALSE(Child<QCheckBox>(dialog, "overwriteCheck")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>(dialog, "registryCheck")->isChecked());
  EXPECT_EQ(Child<QLabel>(dialog, "statusLabel")->text(), "Please enter the requested information");
  EXPECT_EQ(Child<QLabel>(dialog, "destinationLabel")->buddy(),
            Child<QLineEdit>(dialog, "destinationEdit"));
  EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(192, 192, 192));
}

TEST_F(SetupDialogTest, AFailureShowsItsMessageKeepsTheDialogAndFocusesTheDestination) {
  SetupDialog dialog(installer_, {.user_name = "Ann", .company_name = "", .destination = ""});
  dialog.show();
  Child<QLineEdit>(dialog, "userNameEdit")->setFocus();
  PressOk(dialog);
  EXPECT_EQ(messages_.shown, QStringList{"Error Creating destination directory"});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.focusWidget(), Child<QLineEdit>(dialog, "destinationEdit"));
  EXPECT_EQ(Child<QLineEdit>(dialog, "userNameEdit")->text(), "Ann");
  EXPECT_EQ(settings_.ReadSetting("Default", "Defaults", "Last Install Dir", "<absent>"),
            "<absent>");
}

TEST_F(SetupDialogTest, OkInstallsWithTheFieldsAndCloses) {
  SetupDialog dialog(installer_, {});
  std::vector<std::string> readmes;
  dialog.SetReadmeOpener([&](const std::string& path) { readmes.push_back(path); });
  dialog.show();
  QTest::keyClicks(Child<QLineEdit>(dialog, "userNameEdit"), "Ann");
  QTest::keyClicks(Child<QLineEdit>(dialog, "destinationEdit"), "dest");
  Child<QCheckBox>(dialog, "registryCheck")->setChecked(false);
  PressOk(dialog);
  EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join("|").toStdString();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Child<QLabel>(dialog, "statusLabel")->text(), "Copying file 7003.ui");
  EXPECT_EQ(readmes, std::vector<std::string>{dir_.File("medium/README.TXT")});
  EXPECT_EQ(settings_.ReadSetting("Default", "Defaults", "Last Install Dir", ""),
            dir_.File("dest/"));
  EXPECT_EQ(settings_.ReadSetting("Default", "Defaults", "User ID", "<absent>"), "<absent>");
}

TEST_F(SetupDialogTest, TheAboutBoxNamesTheProgram) {
  SetupDialog dialog(installer_, {});
  auto* about = dialog.findChild<QAction*>("aboutAction");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->text(), "&About Setup...");
  QString title, text;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      title = box->windowTitle();
      text = box->text();
      box->accept();
    }
  });
  about->trigger();
  EXPECT_EQ(title, "About Setup");
  EXPECT_EQ(text, "Pellmoor Setup Version 1.0");
}

}  // namespace
}  // namespace setup
