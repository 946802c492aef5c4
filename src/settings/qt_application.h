// Starting Qt in a program's UI module.
#pragma once

#include <QString>

namespace settings {

// Creates the application object on first call, named `application_name`, with
// `caption` (unless empty) as the caption of the message boxes. False, and Qt left unstarted, when
// no display can be reached: Qt would end the process instead of failing.
//
// No application display name is set: Qt would append it to every window title
// that a window manager shows, and the titles are to be exactly the program's.
bool StartQtApplication(const char* application_name, const QString& caption);

}  // namespace settings
