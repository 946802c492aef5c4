#include "engine/function_declaration.h"

#include "engine/separator_scan.h"
#include "engine/text_ops.h"

namespace engine {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Each piece between commas that splits as a declaration becomes an argument; empty
// pieces and pieces that do not split take no place in the list.
void AddArguments(std::string_view list, FunctionDeclaration& d) {
  // One allocation for the list: growing it step by step costs more than the
  // splitting once the list runs to hundreds of entries.
  std::size_t pieces = 0;
  bool in_piece = false;
  for (char c : list) {
    if (c == ',') {
      in_piece = false;
    } else if (!in_piece && !IsWhiteSpace(c)) {
      in_piece = true;
      ++pieces;
    }
  }
  d.arguments.reserve(pieces);
  while (!list.empty()) {
    std::size_t comma = list.find(',');
    std::string_view piece = list.substr(0, comma);
    if (!piece.empty()) {
      DeclarationParts parts;
      if (SplitDeclaration(piece, parts, false)) d.arguments.push_back(std::move(parts));
    }
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace

void ResetFunctionDeclaration(FunctionDeclaration& declaration) { declaration = {}; }

bool ParseFunctionDeclaration(std::string_view input, FunctionDeclaration& d) {
  ResetFunctionDeclaration(d);
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

  // Positional tests without word boundaries ('void f() myconst' is const too).
  // "inline" is looked for before "static", so 'static inline' leaves "inline" in the
  // return type.
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

  const std::string_view view = text;
  std::size_t close = view.rfind(')');
  if (close == std::string_view::npos) return false;
  std::optional<std::size_t> open = MatchOpeningBackwards(view, close);
  if (!open) return false;
  d.argument_list = Trimmed(view.substr(*open + 1, close - *open - 1));
  AddArguments(d.argument_list, d);

  // The name is what stands between the last separator of the head and the "(";
  // a "~" before it and a preceding word "operator" (with whatever follows it) join it.
  const std::string_view head = view.substr(0, *open);
  std::string_view rest;
  std::size_t separator = LastSeparator(head);
  if (separator == std::string_view::npos) {
    d.function_name = Trimmed(head);
  } else {
    std::size_t start = head[separator] == '~' ? separator : separator + 1;
    if (std::size_t word = head.substr(0, start).rfind("operator");
        word != std::string_view::npos) {
      start = word;
    }
    d.function_name = Trimmed(head.substr(start));
    rest = head.substr(0, start);
  }

  // Only the nearest qualifier is the class. What stands before it, the separator
  // that ends it included, is the return type: 'A::B::f' gives class "B" and return
  // type "A::", 'char *CFoo::Get' keeps the "*" in "char *".
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
