#include "quorvan/actions/access_functions.h"

#include <map>

#include "engine/escapes.h"
#include "engine/variables.h"
#include "platform/profile_file.h"

namespace quorvan {
namespace {

constexpr std::size_t kMaxSectionName = 255;

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool SameLetters(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The templates and parameter name a type section gives.
struct TypeTemplates {
  std::string equate_name;
  std::string put_template;
  std::string get_template;
};

// Reads the control file's values; a type section is read once per run, however
// many members of that type there are.
class ControlFile {
 public:
  explicit ControlFile(const std::string& path)
      : path_(path),
        default_get_(Read("Control", "DefaultGetTemplate", kDefaultGetTemplate)),
        default_put_(Read("Control", "DefaultPutTemplate", kDefaultPutTemplate)) {}

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view default_value) const {
    return platform::ReadProfileString(path_, section, key, default_value);
  }

  // The type section's values; the derived parameter name is the default of
  // "EquateName", so a section may leave it out.
  TypeTemplates ForMember(const engine::DeclarationParts& member) {
    std::string section = TypeSectionName(member);
    auto [it, inserted] = by_section_.try_emplace(section);
    if (inserted) {
      for (const std::string& key : platform::ReadProfileKeys(path_, section)) {
        if (SameLetters(key, "EquateName")) it->second.has_equate_name = true;
      }
      it->second.equate_name = Read(section, "EquateName", "");
      it->second.put_template = Read(section, "PutTemplate", default_put_);
      it->second.get_template = Read(section, "GetTemplate", default_get_);
    }
    const Cached& cached = it->second;
    return {cached.has_equate_name ? cached.equate_name : member.parameter_name,
            cached.put_template, cached.get_template};
  }

 private:
  struct Cached {
    bool has_equate_name = false;
    std::string equate_name;
    std::string put_template;
    std::string get_template;
  };

  std::string path_;
  std::string default_get_;
  std::string default_put_;
  std::map<std::string, Cached> by_section_;
};

// The pieces of `text` between runs of ";", without empty ones.
template <typename Visit>
void ForEachPiece(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) visit(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

std::string TypeSectionName(const engine::DeclarationParts& member) {
  std::string section;
  for (char c : member.type) {
    if (!IsWhiteSpace(c)) section += c;
  }
  for (int i = 0; i < member.array_count; ++i) section += "ARRAY";
  if (section.size() > kMaxSectionName) section.resize(kMaxSectionName);
  return section;
}

std::string ExpandMemberTemplate(std::string text, const engine::DeclarationParts& member,
                                 engine::Notifier* notifier) {
  engine::ReplaceAll(text, "$_FcnBase", member.base);
  engine::ReplaceAll(text, "$_MemberName", member.name);
  engine::ReplaceAll(text, "$_MemberType", member.type);
  engine::ReplaceAll(text, "$_EquateName", member.parameter_name);
  engine::TranslateEscapes(text, notifier);
  return text;
}

std::string GenerateAccessFunctions(std::string_view declarations, const std::string& control_path,
                                    int grouping, engine::Notifier* notifier) {
  ControlFile control(control_path);
  std::string prefixes =
      control.Read("Control", "InitialIdentStrings", engine::kDefaultInitialIdentStrings);
  bool by_action = grouping == kGroupByAction;

  std::string output(declarations);
  output += "\r\n";
  std::string get_section;
  engine::DeclarationParts member;
  if (by_action) {
    output +=
        ExpandMemberTemplate(control.Read("Options", "PutSectionSeperator", ""), member, notifier);
    get_section =
        ExpandMemberTemplate(control.Read("Control", "GetSectionSeperator", ""), member, notifier);
  }
  // The separator may use the member's variables, so only its raw text is shared.
  std::string separator = by_action ? "" : control.Read("Options", "FunctionSectionSeperator", "");

  ForEachPiece(declarations, [&](std::string_view piece) {
    if (!engine::SplitDeclaration(piece, member, true, prefixes)) return;
    TypeTemplates templates = control.ForMember(member);
    member.parameter_name = templates.equate_name;
    std::string set_text =
        ExpandMemberTemplate(std::move(templates.put_template), member, notifier);
    std::string get_text =
        ExpandMemberTemplate(std::move(templates.get_template), member, notifier);
    if (by_action) {
      get_section += get_text;
      output += set_text;
    } else {
      get_section += ExpandMemberTemplate(separator, member, notifier);
      get_section += get_text;
      get_section += set_text;
    }
  });
  output += get_section;
  return output;
}

}  // namespace quorvan
