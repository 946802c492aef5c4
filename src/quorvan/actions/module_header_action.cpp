#include "quorvan/actions/actions.h"

namespace quorvan {

// Not built yet: fails, so the dispatcher sounds the error beep.
bool ModuleHeaderAction(App&) { return false; }

}  // namespace quorvan
