// Shows each page of quorvan's settings sheet and each of its dialogs in a real
// window and saves a PNG of it: quorvan_screenshots <output directory>. Run it under
// an X server (scripts/screenshots.sh starts Xvfb). The store is an in-memory one.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "capture.h"
#include "config/memory_store.h"
#include "config/settings.h"
#include "quorvan/action_table.h"
#include "quorvan/actions/column_insert.h"
#include "quorvan/actions/common_entries.h"
#include "quorvan/actions/filter_request.h"
#include "quorvan/prompt_step.h"
#include "quorvan/qt/form_dialogs.h"
#include "quorvan/qt/main_sheet.h"
#include "quorvan/qt/prompt_dialog_qt.h"
#include "settings/config_page.h"
#include "settings/message_box.h"

using screenshots::failures;
using screenshots::output_directory;
using screenshots::Save;
using screenshots::SaveModal;

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  settings::SetMessageCaption("Quorvane");
  output_directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QDir().mkpath(output_directory);

  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSectionNumber("Configurations", "Number of Configs", 2);
  settings.WriteSectionValue("Configurations", "Configuration", 0, "Project Alpha");
  settings.WriteSectionValue("Configurations", "Configuration", 1, "Library");
  settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
  settings.WriteSetting("Default", "Defaults", "Company Name", "Example Works");

  {
    quorvan::MainSheet sheet(settings, quorvan::ActionTable(), [](int) { return true; });
    sheet.show();
    sheet.generator_page()->action_list()->setCurrentRow(2);
    Save(&sheet, "quorvan-generator");
    sheet.SetActivePage(1);
    Save(&sheet, "quorvan-defaults");
    sheet.SetActivePage(2);
    Save(&sheet, "quorvan-configurations");
    SaveModal("quorvan-add-configuration", [&] { sheet.config_page()->AddPressed(); });
    SaveModal("quorvan-about", [&] { sheet.ShowAbout(); });
    sheet.hide();
  }
  {
    settings.WriteSetting("Defaults", quorvan::kLastFilterCommand, "sort /r");
    quorvan::Form filter = quorvan::MakeFilterForm(settings);
    SaveModal("quorvan-external-filter", [&] { quorvan::RunFormDialog(filter, nullptr); });
    quorvan::Form insert = quorvan::MakeColumnInsertForm();
    SaveModal("quorvan-column-insert", [&] { quorvan::RunFormDialog(insert, nullptr); });
    quorvan::Form strings = quorvan::MakeCommonEntriesForm(
        quorvan::CommonList::kStrings,
        {"// $_UserID, $_Date", "#include <vector>", "\\r\\n// ----------------\\r\\n"});
    SaveModal("quorvan-common-strings", [&] { quorvan::RunFormDialog(strings, nullptr); });
  }
  {
    // The shipped function header that asks for a purpose and an access level.
    const std::string data = BRK_SHIPPED_DATA_DIR;
    std::vector<engine::DlgGetItem> items;
    quorvan::ParseDlgGetItems("$_DlgGet(\"Purpose\", \"\") $_DlgGet(\"Access\", \"public\")",
                              items);
    quorvan::PromptDialog prompt = quorvan::DescribePromptDialog(data + "/FCNPURP.CTL", items);
    prompt.library_path = data + "/TEMPLRES.rcc";
    prompt.resource_id = 7001;
    SaveModal("quorvan-prompt-7001", [&] { quorvan::RunPromptDialog(prompt, nullptr); });
  }
  return failures == 0 ? 0 : 1;
}
