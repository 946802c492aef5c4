#include "config/registry_format.h"

#include <cstdint>
#include <cstdio>

#include "config/key_names.h"

namespace config {

const StoredValue* RegistryKey::Value(std::string_view name) const {
  auto it = index_.find(FoldName(name));
  return it == index_.end() ? nullptr : &values_[it->second].second;
}

bool RegistryKey::SetValue(std::string_view name, const StoredValue& value) {
  auto [it, added] = index_.try_emplace(FoldName(name), values_.size());
  if (added) {
    values_.emplace_back(std::string(name), value);
    return true;
  }
  StoredValue& stored = values_[it->second].second;
  if (stored == value) return false;
  stored = value;
  return true;
}

RegistryKey* RegistryModel::Find(std::string_view full_name) {
  auto it = index_.find(FoldName(full_name));
  return it == index_.end() ? nullptr : &keys_[it->second];
}

const RegistryKey* RegistryModel::Find(std::string_view full_name) const {
  auto it = index_.find(FoldName(full_name));
  return it == index_.end() ? nullptr : &keys_[it->second];
}

RegistryKey& RegistryModel::Add(std::string_view full_name) {
  index_.emplace(FoldName(full_name), keys_.size());
  return keys_.emplace_back(std::string(full_name));
}

RegistryKey& RegistryModel::Open(std::string_view full_name) {
  if (RegistryKey* key = Find(full_name)) return *key;
  return Add(full_name);
}

RegistryKey& RegistryModel::Create(std::string_view full_name, std::string_view root,
                                   bool* created) {
  if (created) *created = false;
  if (RegistryKey* key = Find(full_name)) return *key;
  if (created) *created = true;
  bool below_root = full_name.size() > root.size() && full_name[root.size()] == '\\' &&
                    FoldName(full_name.substr(0, root.size())) == FoldName(root);
  if (below_root) {
    for (std::size_t pos = full_name.find('\\', root.size() + 1); pos != std::string_view::npos;
         pos = full_name.find('\\', pos + 1)) {
      std::string_view ancestor = full_name.substr(0, pos);
      if (!Find(ancestor)) Add(ancestor);
    }
  }
  return Add(full_name);
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to 8 hex digits.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(d);
  }
  return number;
}

// A quoted text starting at text[pos] == '"'. Only \\ and \" are escapes; any other
// backslash is kept as written, so a hand-written "C:\DIR\FILE" keeps its path. Moves
// pos past the closing quote.
std::optional<std::string> ParseQuoted(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
      out += text[++i];
    } else if (c == '"') {
      pos = i + 1;
      return out;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

// Comma-separated bytes of one or two hex digits; blanks and a trailing comma allowed.
std::optional<std::string> ParseHexBytes(std::string_view list) {
  std::string bytes;
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < list.size() && (list[i] == ' ' || list[i] == '\t')) ++i;
  };
  skip_blanks();
  while (i < list.size()) {
    int high = HexDigit(list[i]);
    if (high < 0) return std::nullopt;
    int low = i + 1 < list.size() ? HexDigit(list[i + 1]) : -1;
    if (low < 0) {
      bytes += static_cast<char>(high);
      i += 1;
    } else {
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    }
    skip_blanks();
    if (i == list.size()) break;
    if (list[i] != ',') return std::nullopt;
    ++i;
    skip_blanks();
  }
  return bytes;
}

std::optional<StoredValue> ParseData(std::string_view data) {
  if (!data.empty() && data.front() == '"') {
    std::size_t pos = 0;
    std::optional<std::string> text = ParseQuoted(data, pos);
    if (!text || pos != data.size()) return std::nullopt;
    return StoredValue::Text(*text);
  }
  if (data.substr(0, 6) == "dword:") {
    std::optional<std::uint32_t> number = ParseHexNumber(data.substr(6));
    if (!number) return std::nullopt;
    return StoredValue::Number(static_cast<std::int32_t>(*number));
  }
  std::uint32_t type = kTypeBinary;
  std::string_view list;
  if (data.substr(0, 4) == "hex:") {
    list = data.substr(4);
  } else if (data.substr(0, 4) == "hex(") {
    std::size_t close = data.find("):", 4);
    if (close == std::string_view::npos) return std::nullopt;
    std::optional<std::uint32_t> number = ParseHexNumber(data.substr(4, close - 4));
    if (!number) return std::nullopt;
    type = *number;
    list = data.substr(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::string> bytes = ParseHexBytes(list);
  if (!bytes) return std::nullopt;
  return StoredValue{type, std::move(*bytes)};
}

std::string_view TrimLine(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) {
    s.remove_suffix(1);
  }
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

// The next line of `text` from `pos` without its line feed, trimmed; advances pos.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  std::size_t lf = text.find('\n', pos);
  std::size_t end = lf == std::string_view::npos ? text.size() : lf;
  std::string_view line = text.substr(pos, end - pos);
  pos = lf == std::string_view::npos ? text.size() : lf + 1;
  return TrimLine(line);
}

}  // namespace

std::optional<RegistryModel> ParseRegistryText(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::size_t pos = 0;
  std::string_view line;
  do {
    if (pos >= text.size()) return std::nullopt;
    line = NextLine(text, pos);
  } while (line.empty());
  if (line != "REGEDIT4") return std::nullopt;

  RegistryModel model;
  RegistryKey* key = nullptr;
  bool removing = false;  // inside a "[-KEY]" block
  std::string joined;
  while (pos < text.size()) {
    line = NextLine(text, pos);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.size() < 3 || line.back() != ']') return std::nullopt;
      std::string_view name = line.substr(1, line.size() - 2);
      removing = name.front() == '-';
      key = removing ? nullptr : &model.Open(name);
      continue;
    }
    std::string name;
    std::size_t after = 0;
    if (line.front() == '@') {
      after = 1;
    } else {
      std::optional<std::string> quoted = ParseQuoted(line, after);
      if (!quoted) return std::nullopt;
      name = std::move(*quoted);
    }
    std::string_view rest = TrimLine(line.substr(after));
    if (rest.empty() || rest.front() != '=') return std::nullopt;
    std::string_view data = TrimLine(rest.substr(1));
    // A long hex list goes on over lines that end in a backslash.
    if (data.substr(0, 3) == "hex" && !data.empty() && data.back() == '\\') {
      joined.assign(data.substr(0, data.size() - 1));
      while (pos < text.size()) {
        std::string_view next = NextLine(text, pos);
        bool more = !next.empty() && next.back() == '\\';
        if (more) next.remove_suffix(1);
        joined += next;
        if (!more) break;
      }
      data = joined;
    }
    if (removing) continue;
    if (!key) return std::nullopt;
    if (data == "-") continue;
    std::optional<StoredValue> value = ParseData(data);
    if (!value) return std::nullopt;
    key->SetValue(name, *value);
  }
  return model;
}

namespace {

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// A text goes in quotes when it is one zero-terminated run of bytes from 0x20 up;
// anything else is written as hex(1) so that no byte is lost.
bool QuotableText(const StoredValue& value) {
  const std::string& b = value.bytes;
  if (value.type != kTypeText || b.empty() || b.back() != '\0') return false;
  for (std::size_t i = 0; i + 1 < b.size(); ++i) {
    if (static_cast<unsigned char>(b[i]) < 0x20) return false;
  }
  return true;
}

// Hex bytes broken into lines of about 80 columns, as registry exports do.
void AppendHex(std::string& out, std::size_t line_start, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
    if (i + 1 == bytes.size()) break;
    out += ',';
    if (out.size() - line_start > 76) {
      out += "\\\n  ";
      line_start = out.size() - 2;
    }
  }
}

}  // namespace

std::string FormatRegistryText(const RegistryModel& model) {
  std::string out = "REGEDIT4\n";
  char number[24];
  for (const RegistryKey& key : model.keys()) {
    out += "\n[";
    out += key.name();
    out += "]\n";
    for (const auto& [name, value] : key.values()) {
      std::size_t line_start = out.size();
      if (name.empty()) {
        out += '@';
      } else {
        AppendQuoted(out, name);
      }
      out += '=';
      if (QuotableText(value)) {
        AppendQuoted(out, std::string_view(value.bytes).substr(0, value.bytes.size() - 1));
      } else if (value.type == kTypeNumber && value.bytes.size() == 4) {
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i) {
          u |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.bytes[i])) << (8 * i);
        }
        std::snprintf(number, sizeof number, "dword:%08x", u);
        out += number;
      } else {
        if (value.type == kTypeBinary) {
          out += "hex:";
        } else {
          std::snprintf(number, sizeof number, "hex(%x):", static_cast<unsigned>(value.type));
          out += number;
        }
        AppendHex(out, line_start, value.bytes);
      }
      out += '\n';
    }
  }
  out += '\n';
  return out;
}

}  // namespace config
