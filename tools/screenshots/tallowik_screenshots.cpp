// Shows each page of tallowik's sheet and each of its dialogs in a real window and
// saves a PNG of it: tallowik_screenshots <output directory>. Run it under an X server
// (scripts/screenshots.sh starts Xvfb). The store is an in-memory one and the project
// a temporary directory.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "capture.h"
#include "config/memory_store.h"
#include "config/settings.h"
#include "platform/ide_link.h"
#include "settings/config_page.h"
#include "settings/message_box.h"
#include "tallowik/categories.h"
#include "tallowik/qt/base_page.h"
#include "tallowik/qt/main_sheet.h"
#include "tallowik/qt/user_strings_page.h"
#include "tallowik/user_strings.h"

using screenshots::failures;
using screenshots::output_directory;
using screenshots::Save;
using screenshots::SaveModal;

namespace {

class NoIde : public platform::DdeClient {
 public:
  bool Execute(std::string_view, std::string_view, std::string_view) override { return false; }
};

void AddCategory(const config::Settings& settings, std::vector<tallowik::BaseClassCategory>& list,
                 tallowik::BaseClassCategory category) {
  list.push_back(std::move(category));
  tallowik::SaveCategories(settings, list);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  settings::SetMessageCaption("Tallowick");
  output_directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QDir().mkpath(output_directory);

  QTemporaryDir project;
  QFile clw(project.filePath("MYAPP.clw"));
  if (!project.isValid() || !clw.open(QIODevice::WriteOnly)) return 1;
  clw.write(
      "[General Info]\nClassCount=2\nClass1=CMyApp\nClass2=CAboutDlg\n"
      "ResourceCount=2\nResource1=IDD_ABOUTBOX\nResource2=IDD_MYAPP_FORM\n");
  clw.close();
  QDir::setCurrent(project.path());

  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSectionNumber("Configurations", "Number of Configs", 2);
  settings.WriteSectionValue("Configurations", "Configuration", 0, "Project Alpha");
  settings.WriteSectionValue("Configurations", "Configuration", 1, "Library");
  settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
  settings.WriteSetting("Default", "Defaults", "Company Name", "Example Works");
  settings.WriteSetting("Default", "Defaults", "Template Path", "/home/jdoe/pellmoor/Template/");
  settings.WriteSetting("Default", "Defaults", "Project String File Name", "$_Project.str");
  std::vector<tallowik::BaseClassCategory> categories;
  AddCategory(settings, categories,
              {"Modal Dialog", "CDialog", "MODALDLG.H", "MODALDLG.CPP", "Dialog ID", true});
  AddCategory(settings, categories,
              {"Modeless Dialog", "CDialog", "MODELESS.H", "MODELESS.CPP", "Dialog ID", true});
  AddCategory(settings, categories,
              {"Window", "CWnd", "WND.H", "WND.CPP", "Class S&pecific String", false});
  tallowik::SaveUserStrings(settings, {{"$_Copyright", "(c) 2026 Example Works"},
                                       {"$_LongHolderNameHere", "replacement"}});

  NoIde dde;
  engine::SystemClock clock;
  {
    tallowik::MainSheet sheet(settings, clock, dde, {"MYAPP", project.path().toStdString()});
    sheet.show();
    QLineEdit* class_name = sheet.findChild<QLineEdit*>("classNameEdit");
    QTest::keyClicks(class_name, "CAboutBox");
    sheet.findChild<QLineEdit*>("descriptionEdit")->setText("The program's about box");
    Save(&sheet, "tallowik-generator");
    // The page would save its last-used values on leaving; this run is only a picture.
    class_name->clear();
    settings::MessageScript script{{true}, {}};
    settings::SetMessageScript(&script);
    sheet.SetActivePage(1);
    settings::SetMessageScript(nullptr);
    Save(&sheet, "tallowik-base-classes");
    sheet.base_page()->SelectRow(0);
    SaveModal("tallowik-base-class-category", [&] { sheet.base_page()->ChangePressed(); });
    sheet.SetActivePage(2);
    Save(&sheet, "tallowik-defaults");
    sheet.SetActivePage(3);
    sheet.user_strings_page()->SelectRow(0);
    Save(&sheet, "tallowik-user-strings");
    SaveModal("tallowik-replacement-string", [&] { sheet.user_strings_page()->ChangePressed(); });
    sheet.SetActivePage(4);
    Save(&sheet, "tallowik-configurations");
    SaveModal("tallowik-add-configuration", [&] { sheet.config_page()->AddPressed(); });
    SaveModal("tallowik-about", [&] { sheet.ShowAbout(); });
    sheet.hide();
  }
  return failures == 0 ? 0 : 1;
}
