// The parsed form of a function declaration or the first line of a definition.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/declaration.h"

namespace engine {

struct FunctionDeclaration {
  int const_flag = 0;
  int inline_flag = 0;
  int static_flag = 0;
  std::vector<DeclarationParts> arguments;
  std::string argument_list;  // the text between the parentheses, trimmed
  std::string function_name;
  std::string class_name;
  std::string return_type;
  std::string statement;  // the complete input, unchanged
};

// Tolerant positional parse; fails only for empty input, no ")" or no matching "(".
// On failure the model may hold partial results.
bool ParseFunctionDeclaration(std::string_view text, FunctionDeclaration& declaration);

void ResetFunctionDeclaration(FunctionDeclaration& declaration);

}  // namespace engine
