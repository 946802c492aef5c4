#include "platform/command_template.h"

#include <cctype>

namespace platform {
namespace {

bool IsPlainWordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("/._-+,:@%=").find(c) != std::string_view::npos;
}

enum class Quoting { kNone, kDouble, kSingle };

std::string InsertQuoted(std::string_view text, Quoting quoting) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (quoting == Quoting::kDouble && (c == '\\' || c == '"')) {
      out += '\\';
      out += c;
    } else if (quoting == Quoting::kSingle && c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out;
}

const TemplateValue* MatchAt(std::string_view line, std::size_t at,
                             std::span<const TemplateValue> values) {
  const TemplateValue* best = nullptr;
  for (const TemplateValue& value : values) {
    if (value.placeholder.empty() || line.substr(at, value.placeholder.size()) != value.placeholder)
      continue;
    if (!best || value.placeholder.size() > best->placeholder.size()) best = &value;
  }
  return best;
}

}  // namespace

std::string ShellWord(std::string_view name) {
  bool plain = !name.empty();
  for (char c : name) plain = plain && IsPlainWordCharacter(c);
  if (plain) return std::string(name);
  return "'" + InsertQuoted(name, Quoting::kSingle) + "'";
}

std::string ExpandCommandTemplate(std::string_view line, std::span<const TemplateValue> values) {
  std::string out;
  out.reserve(line.size());
  Quoting quoting = Quoting::kNone;
  std::size_t i = 0;
  while (i < line.size()) {
    if (const TemplateValue* value = MatchAt(line, i, values)) {
      out += value->is_file_name ? InsertQuoted(ShellWord(value->text), quoting)
                                 : InsertQuoted(value->text, quoting);
      i += value->placeholder.size();
      continue;
    }
    const char c = line[i];
    // A backslash outside single quotes keeps the next character (and so does not
    // change the quoting); copy both.
    if (c == '\\' && quoting != Quoting::kSingle && i + 1 < line.size()) {
      out += line.substr(i, 2);
      i += 2;
      continue;
    }
    if (c == '"' && quoting != Quoting::kSingle) {
      quoting = quoting == Quoting::kDouble ? Quoting::kNone : Quoting::kDouble;
    } else if (c == '\'' && quoting != Quoting::kDouble) {
      quoting = quoting == Quoting::kSingle ? Quoting::kNone : Quoting::kSingle;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace platform
