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

#include "config/memory_store.h"
#include "config/settings.h"
#include "ferrul/qt/ferrul_dialog.h"
#include "setup/installer.h"
#include "setup/qt/setup_dialog.h"

namespace {

QString output_directory;
int failures = 0;

void Save(QWidget* window, const QString& name) {
  for (int i = 0; i < 10; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
  }
  QPixmap shot = window->screen()->grabWindow(window->winId());
  const QString path = output_directory + "/" + name + ".png";
  if (shot.isNull() || !shot.save(path)) {
    std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
    ++failures;
    return;
  }
  std::printf("%s\n", qPrintable(path));
}

// Runs `show_modal`, which opens a modal window, saves that window and closes it.
void SaveModal(const QString& name, const std::function<void()>& show_modal) {
  QTimer::singleShot(300, [name] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      Save(modal, name);
      modal->close();
    } else {
      std::fprintf(stderr, "no window for %s\n", qPrintable(name));
      ++failures;
    }
  });
  show_modal();
}

}  // namespace

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
