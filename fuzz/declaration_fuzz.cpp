// Feeds arbitrary bytes to the declaration scanner, the parser, the escape
// translation and the store-file parser; any crash or sanitizer report is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/registry_format.h"
#include "engine/declaration.h"
#include "engine/escapes.h"
#include "engine/function_declaration.h"
#include "engine/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  engine::DeclarationParts parts;
  engine::SplitDeclaration(text, parts, false);
  engine::SplitDeclaration(text, parts, true, "m_;s_");
  engine::FunctionDeclaration declaration;
  engine::ParseFunctionDeclaration(text, declaration);
  std::string copy = text;
  engine::StripComments(copy);
  copy = text;
  engine::TranslateEscapes(copy);
  copy = text;
  engine::RemoveQuotes(copy);
  config::ParseRegistryText(text);
  return 0;
}
