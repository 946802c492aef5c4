// Shows setup's and ferrul's dialogs in real windows and saves a PNG of each:
// installer_screenshots <output directory>. Run it under an X server
// (scripts/screenshots.sh starts Xvfb). The store is an in-memory one.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "capture.h"
#include "config/memory_store.h"
#include "config/settings.h"
#include "ferrul/qt/ferrul_dialog.h"
#include "setup/installer.h"
#include "setup/qt/setup_dialog.h"

using screenshots::failures;
using screenshots::output_directory;
using screenshots::Save;
using screenshots::SaveModal;

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  output_directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QDir().mkpath(output_directory);

  config::MemoryStore store;
  config::Settings settings(store);
  setup::Installer installer(settings, "/nonexistent", "/tmp", "/home/jdoe");
  {
    setup::SetupDialog dialog(installer, {.user_name = "jdoe",
                                          .company_name = "Example Works",
                                          .destination = "/home/jdoe/pellmoor/"});
    SaveModal("setup-dialog", [&] { dialog.exec(); });
    SaveModal("setup-about", [&] { dialog.ShowAbout(); });
  }
  {
    ferrul::FerrulDialog dialog(
        "# Number the lines and upper-case the second field\n"
        "{ $2 = toupper($2); print NR \": \" $0 }\n");
    dialog.resize(460, 260);
    SaveModal("ferrul-dialog", [&] { dialog.exec(); });
    SaveModal("ferrul-about", [&] { dialog.ShowAbout(); });
  }
  return failures == 0 ? 0 : 1;
}
