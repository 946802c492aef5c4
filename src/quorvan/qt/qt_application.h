// Starting Qt inside quorvan's UI module.
#pragma once

namespace quorvan {

// Creates the application object on first call. False, and Qt left unstarted, when
// no display can be reached: Qt would end the process instead of failing.
bool EnsureQtApplication();

}  // namespace quorvan
