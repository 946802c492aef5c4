#include "quorvan/qt/form_dialogs.h"

namespace quorvan {

bool RunFormDialog(Form& form, QWidget* owner) { return false; }

}  // namespace quorvan
