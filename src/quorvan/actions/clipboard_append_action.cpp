#include "quorvan/actions/actions.h"

namespace quorvan {

// Not built yet: fails, so the dispatcher sounds the error beep.
bool ClipboardAppendAction(App&) { return false; }

}  // namespace quorvan
