// libferrul_qt.so: the entry point through which ferrul reaches Qt.
#include "ferrul/qt/qt_ferrul_ui.h"
#include "ferrul/qt_module.h"
#include "settings/qt_start.h"

extern "C" ferrul::FerrulUi* FerrulCreateQtUi(int module_version) {
  if (module_version != ferrul::kModuleVersion) return nullptr;
  if (!settings::StartQtApplication("ferrul", "Ferrule")) return nullptr;
  return new ferrul::QtFerrulUi;
}
