#include "settings/qt_application.h"

#include <dlfcn.h>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>
#include <string_view>

#include "settings/message_box.h"

namespace settings {
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

}  // namespace

bool StartQtApplication(const char* application_name, const QString& caption) {
  if (QApplication::instance()) return true;
  if (!DisplayUsable()) return false;
  static int argc = 1;
  static char* argv[] = {const_cast<char*>(application_name), nullptr};
  auto* application = new QApplication(argc, argv);
  application->setApplicationName(QString::fromLocal8Bit(application_name));
  if (!caption.isEmpty()) SetMessageCaption(caption);
  return true;
}

}  // namespace settings
