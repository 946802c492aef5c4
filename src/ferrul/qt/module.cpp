// libferrul_qt.so: the entry point through which ferrul reaches Qt.
#include "ferrul/qt/qt_ferrul_ui.h"
#include "ferrul/qt_module.h"
#include "settings/qt_application.h"

extern "C" ferrul::FerrulUi* FerrulCreateQtUi(int module_version) {
  if (module_version != ferrul::kModuleVersion) return nullptr;
  // No display name: the warnings' titles stay exactly as given.
  if (!settings::StartQtApplication("ferrul", QString())) return nullptr;
  return new ferrul::QtFerrulUi;
}
