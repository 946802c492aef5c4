#include "quorvan/qt/qt_application.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <cstdio>

#include "settings/qt_application.h"

namespace quorvan {

namespace {

bool OffscreenPluginInstalled() {
  QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
  return !platforms.entryList({"*offscreen*"}, QDir::Files).isEmpty();
}

void DropDiagnostics(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
  (void)context;
}

bool started_offscreen = false;

}  // namespace

bool EnsureOffscreenQtApplication() {
  if (QApplication::instance()) return true;
  if (!OffscreenPluginInstalled()) return false;
  // The platform is chosen on the command line, which wins over QT_QPA_PLATFORM.
  static int argc = 3;
  static char name[] = "quorvan";
  static char option[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  qInstallMessageHandler(DropDiagnostics);
  auto* application = new QApplication(argc, argv);
  application->setApplicationName("quorvan");
  started_offscreen = true;
  return true;
}

bool EnsureQtApplication() {
  if (QApplication::instance()) return !started_offscreen;
  return settings::StartQtApplication("quorvan", "Quorvane");
}

}  // namespace quorvan
