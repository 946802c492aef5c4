// Starting Qt inside quorvan's UI module.
#pragma once

namespace quorvan {

// Creates the application object on first call. False, and Qt left unstarted, when
// no display can be reached: Qt would end the process instead of failing. False as
// well once EnsureOffscreenQtApplication started Qt: nothing shown there is seen.
bool EnsureQtApplication();

// Creates the application object on Qt's offscreen platform when none runs yet, to
// build layouts without showing them; the environment, which started programs
// inherit, is left alone. False when that platform is not installed. Qt's own
// diagnostics are dropped, as they would mix with the terminal's questions.
bool EnsureOffscreenQtApplication();

}  // namespace quorvan
