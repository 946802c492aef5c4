// Starting Qt inside a program's user-interface module.
#pragma once

#include <QString>

namespace settings {

// Creates the application object on first call, named `name` with the display name
// (and message caption) `display_name`. An empty `display_name` sets none, so that
// window titles stay exactly as given (Qt appends a display name to every title).
// False, and Qt left unstarted, when no display can be reached: Qt would end the
// process instead of failing.
bool StartQtApplication(const char* name, const QString& display_name);

}  // namespace settings
