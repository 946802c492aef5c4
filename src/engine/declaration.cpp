#include "engine/declaration.h"

#include "engine/separator_scan.h"
#include "engine/text_ops.h"

namespace engine {
namespace {

void TrimEnd(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsWhiteSpace(text[end - 1])) --end;
  text.resize(end);
}

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// 'm_nCount' gives base "Count" and parameter name "n"; without a lower-case run, or
// when the run is all there is, the base is the whole rest and the parameter "x".
void SplitMemberName(DeclarationParts& parts, std::string_view initial_ident_strings) {
  std::string_view rest = parts.name;
  rest.remove_prefix(InitialIdentLength(rest, initial_ident_strings));
  std::size_t run = 0;
  while (run < rest.size() && IsLower(rest[run])) ++run;
  if (run > 0 && run < rest.size()) {
    parts.parameter_name = rest.substr(0, run);
    parts.base = rest.substr(run);
  } else {
    parts.parameter_name = "x";
    parts.base = rest;
  }
}

}  // namespace

std::size_t InitialIdentLength(std::string_view name, std::string_view initial_ident_strings) {
  std::string_view list = initial_ident_strings;
  for (;;) {
    std::size_t semicolon = list.find(';');
    std::string_view entry = list.substr(0, semicolon);
    if (entry.empty()) return 0;
    if (name.substr(0, entry.size()) == entry) return entry.size();
    if (semicolon == std::string_view::npos) return 0;
    list.remove_prefix(semicolon + 1);
  }
}

bool SplitDeclaration(std::string_view input, DeclarationParts& parts, bool member_mode,
                      std::string_view initial_ident_strings) {
  parts = DeclarationParts{};
  if (input.empty()) return false;
  std::string text(Trimmed(input));
  parts.declaration = text;

  StripComments(text);
  TrimText(text);
  if (text.empty()) return false;

  // Nothing before the "=" would leave an empty name, which fails like any other.
  if (std::size_t equals = text.find('='); equals != std::string::npos) {
    parts.initializer = Trimmed(std::string_view(text).substr(equals + 1));
    text.resize(equals);
    TrimText(text);
    if (text.empty()) return false;
  }

  // A "]" without any "[" before it ends the count and stays in the text; being the
  // last separator, it leaves an empty name and the split fails.
  while (!text.empty() && text.back() == ']') {
    std::size_t open = text.rfind('[');
    if (open == std::string::npos) break;
    ++parts.array_count;
    text.resize(open);
    TrimEnd(text);
  }

  const std::string_view view = text;
  std::size_t separator = LastSeparator(view);
  if (separator == std::string_view::npos) {
    parts.name = text;
    return true;
  }
  if (view[separator] == ')') {
    // The name takes a trailing parenthesised group: 'int DECL(x)' is type "int",
    // name "DECL(x)". A ")" without its "(" separates like any other character.
    if (std::optional<std::size_t> open = MatchOpeningBackwards(view, separator)) {
      std::size_t before = LastSeparator(view.substr(0, *open));
      if (before == std::string_view::npos) {
        parts.name = text;
        return true;
      }
      separator = before;
    }
  }
  if (view[separator] == '.' && separator >= 2 && view.substr(separator - 2, 3) == "...") {
    parts.name = "...";
    return true;
  }

  parts.name = view.substr(separator + 1);
  parts.type = Trimmed(view.substr(0, separator));
  if (parts.name.empty() || parts.type.empty()) return false;
  if (!IsWhiteSpace(view[separator])) {
    parts.type += ' ';
    parts.type += view[separator];
  }
  if (member_mode) SplitMemberName(parts, initial_ident_strings);
  return true;
}

}  // namespace engine
