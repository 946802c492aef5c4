#include "engine/variables.h"
#include "quorvan/actions/actions.h"
#include "quorvan/actions/common_entries.h"

namespace quorvan {

bool CommonStringsAction(App& app) { return InsertCommonString(app, engine::SystemClock()); }

}  // namespace quorvan
