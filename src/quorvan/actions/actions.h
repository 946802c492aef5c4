// quorvan's ten actions, one file each (actions/<name>.cpp). Each returns true on
// success and false on any failure (the dispatcher then beeps); an action writing
// the clipboard resets app.ColumnSelection to 0 after its write.
#pragma once

#include "quorvan/app.h"

namespace quorvan {

bool FunctionHeaderAction(App& app);    // 0
bool ModuleHeaderAction(App& app);      // 1
bool AccessFunctionsAction(App& app);   // 2
bool ClipboardAppendAction(App& app);   // 3
bool ExternalFilterAction(App& app);    // 4
bool CommonStringsAction(App& app);     // 5
bool CommonFilesAction(App& app);       // 6
bool ColumnInsertAction(App& app);      // 7
bool SourceHeaderSwapAction(App& app);  // 8
bool RtfAsTextAction(App& app);         // 9

}  // namespace quorvan
