#include "quorvan/qt/prompt_dialog_qt.h"

namespace quorvan {

bool RunPromptDialog(PromptDialog& dialog, QWidget* owner) { return false; }

}  // namespace quorvan
