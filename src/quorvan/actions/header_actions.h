// The header actions with the clock of their date variables given, for tests.
#pragma once

#include "engine/variables.h"
#include "quorvan/app.h"

namespace quorvan {

bool FunctionHeader(App& app, const engine::Clock& clock);
bool ModuleHeader(App& app, const engine::Clock& clock);

}  // namespace quorvan
