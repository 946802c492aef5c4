#include "quorvan/qt/qt_application.h"

#include "settings/qt_start.h"

namespace quorvan {

bool EnsureQtApplication() { return settings::StartQtApplication("quorvan", "Quorvane"); }

}  // namespace quorvan
