#include "quorvan/qt/qt_application.h"

#include <dlfcn.h>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "settings/message_box.h"

namespace quorvan {
namespace {

bool HasValue(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Whether the X server of $DISPLAY accepts a connection, asked through libxcb
// (loaded here, as Qt's own platform plugin uses it).
bool X11DisplayReachable() {
  void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!xcb) return false;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
  auto has_error = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
  bool reachable = false;
  if (connect && has_error && disconnect) {
    void* connection = connect(nullptr, nullptr);
    reachable = connection && has_error(connection) == 0;
    if (connection) disconnect(connection);
  }
  dlclose(xcb);
  return reachable;
}

bool WaylandPluginInstalled() {
  QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
  return !platforms.entryList({"*wayland*"}, QDir::Files).isEmpty();
}

bool DisplayUsable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) {
    std::string_view name(platform);
    if (!name.starts_with("xcb")) return true;  // offscreen, wayland, ...: Qt's to judge
    return X11DisplayReachable();
  }
  if (HasValue("DISPLAY") && X11DisplayReachable()) return true;
  if (HasValue("WAYLAND_DISPLAY") && WaylandPluginInstalled()) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    return true;
  }
  return false;
}

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
  if (!DisplayUsable()) return false;
  static int argc = 1;
  static char name[] = "quorvan";
  static char* argv[] = {name, nullptr};
  auto* application = new QApplication(argc, argv);
  application->setApplicationName("quorvan");
  application->setApplicationDisplayName("Quorvane");
  settings::SetMessageCaption("Quorvane");
  return true;
}

}  // namespace quorvan
