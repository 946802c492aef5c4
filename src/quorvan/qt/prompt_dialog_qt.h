// The prompt dialog on Qt: a Designer layout from the template resource library,
// prepared and read as the prompt's controls say.
#pragma once

#include "quorvan/prompt_dialog.h"

class QWidget;

namespace quorvan {

// Shows `dialog` modally over `owner`: true for OK with the controls' answers set,
// false for Cancel or after a message when the layout cannot be loaded.
bool RunPromptDialog(PromptDialog& dialog, QWidget* owner);

}  // namespace quorvan
