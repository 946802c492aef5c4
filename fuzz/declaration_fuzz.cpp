// Feeds arbitrary bytes to the declaration parser, the comment remover, the escape
// translator and the store-file parser; they must neither crash nor read out of
// bounds, and the in-place text operations must never grow their text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/registry_format.h"
#include "engine/declaration.h"
#include "engine/escapes.h"
#include "engine/function_declaration.h"
#include "engine/notifier.h"
#include "engine/text_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  engine::DeclarationParts parts;
  engine::SplitDeclaration(input, parts, false);
  // The first line, when there is one, serves as the prefix list of member mode.
  std::size_t line_end = input.find('\n');
  std::string_view prefixes = line_end == std::string_view::npos ? "m_" : input.substr(0, line_end);
  engine::SplitDeclaration(input, parts, true, prefixes);

  engine::FunctionDeclaration declaration;
  engine::ParseFunctionDeclaration(input, declaration);

  std::string text(input);
  engine::StripComments(text);
  if (text.size() > size) std::abort();

  text = input;
  engine::RecordingNotifier notifier;
  engine::TranslateEscapes(text, &notifier);
  if (text.size() > size) std::abort();

  text = input;
  if (engine::RemoveQuotes(text) ? text.size() > size : text != input) std::abort();

  config::ParseRegistryText(input);
  return 0;
}
