// The "Column Insert" dialog as a form: the text to insert on every line of a column
// selection and whether its escape sequences are translated first.
#pragma once

#include <cstddef>
#include <string_view>

#include "quorvan/user_interface.h"

namespace quorvan {

inline constexpr std::string_view kColumnInsertFormIdentifier = "Column Insert";
inline constexpr std::size_t kMaxInsertChars = 255;

// Field positions, in tab order.
inline constexpr std::size_t kInsertTextField = 0;
inline constexpr std::size_t kTranslateEscapesField = 1;

// Empty and unticked: nothing is remembered between runs. The edit refuses more than
// kMaxInsertChars characters.
Form MakeColumnInsertForm();

}  // namespace quorvan
