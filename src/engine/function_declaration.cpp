#include "engine/function_declaration.h"

#include "engine/text_ops.h"

namespace engine {
namespace {

std::size_t LastSeparator(std::string_view text) {
  for (std::size_t i = text.size(); i > 0;) {
    --i;
    if (IsDeclarationSeparator(text[i])) return i;
  }
  return std::string_view::npos;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace

void ResetFunctionDeclaration(FunctionDeclaration& declaration) { declaration = {}; }

bool ParseFunctionDeclaration(std::string_view input, FunctionDeclaration& d) {
  if (input.empty()) return false;
  d.statement = input;

  std::string text(input);
  StripComments(text);
  if (std::size_t brace = text.find('{'); brace != std::string::npos) text.resize(brace);
  if (std::size_t semicolon = text.find(';'); semicolon != std::string::npos) {
    text.resize(semicolon);
  }
  TrimText(text);
  if (text.empty()) return false;

  // Positional word tests without word boundaries: "inline" is looked for before
  // "static", so 'static inline' leaves "inline" in the return type.
  if (EndsWith(text, "const")) {
    d.const_flag = 1;
    text.resize(text.size() - 5);
    TrimText(text);
  }
  if (StartsWith(text, "inline")) {
    d.inline_flag = 1;
    text.erase(0, 6);
    TrimText(text);
  }
  if (StartsWith(text, "static")) {
    d.static_flag = 1;
    text.erase(0, 6);
    TrimText(text);
  }

  std::size_t close = text.rfind(')');
  if (close == std::string::npos) return false;
  std::string reversed(text, 0, close + 1);
  ReverseText(reversed);
  std::optional<std::size_t> match = FindMatching(reversed, 0, ')');
  if (!match) return false;
  std::size_t open = close - *match;
  d.argument_list = Trimmed(std::string_view(text).substr(open + 1, close - open - 1));
  std::string_view head = std::string_view(text).substr(0, open);

  std::string_view arguments = d.argument_list;
  while (!arguments.empty()) {
    std::size_t comma = arguments.find(',');
    std::string_view piece = arguments.substr(0, comma);
    if (!piece.empty()) {
      DeclarationParts parts;
      if (SplitDeclaration(piece, parts, false)) d.arguments.push_back(std::move(parts));
    }
    if (comma == std::string_view::npos) break;
    arguments.remove_prefix(comma + 1);
  }

  std::string_view rest;
  std::size_t separator = LastSeparator(head);
  if (separator == std::string_view::npos) {
    d.function_name = Trimmed(head);
  } else {
    std::size_t start = separator + 1;
    if (head[separator] == '~') start = separator;
    if (std::size_t word = head.substr(0, start).rfind("operator"); word != std::string::npos) {
      start = word;
    }
    d.function_name = Trimmed(head.substr(start));
    rest = head.substr(0, start);
  }

  // Only the nearest qualifier is the class; what stands before it, the qualifying
  // separator included, joins the return type ('A::B::f' gives class B, type 'A::').
  if (EndsWith(rest, "::")) {
    rest.remove_suffix(2);
    std::size_t qualifier = LastSeparator(rest);
    if (qualifier == std::string_view::npos) {
      d.class_name = Trimmed(rest);
      rest = {};
    } else {
      d.class_name = Trimmed(rest.substr(qualifier + 1));
      rest = rest.substr(0, qualifier + 1);
    }
  }
  d.return_type = Trimmed(rest);
  return true;
}

}  // namespace engine
