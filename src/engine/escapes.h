// Backslash escape translation of generated texts.
#pragma once

#include <string>

#include "engine/notifier.h"

namespace engine {

// Translates \" \' \\ \n \r \t \f, octal \ddd, hex \xhh, \b (removes the previous
// character) and \a (sounds the beep on `notifier`, when given, and produces
// nothing); any other escaped character stands for itself. A zero produced by an
// escape ends the text. The result is never longer than the input.
void TranslateEscapes(std::string& text, Notifier* notifier = nullptr);

}  // namespace engine
