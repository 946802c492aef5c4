#include "config/registry_format.h"

#include <cstdio>

#include "config/key_names.h"

namespace config {

RegistryKey* RegistryModel::Find(std::string_view full_name) {
  auto it = index_.find(FoldName(full_name));
  return it == index_.end() ? nullptr : &keys_[it->second];
}

RegistryKey& RegistryModel::Add(std::string_view full_name) {
  index_.emplace(FoldName(full_name), keys_.size());
  keys_.push_back(RegistryKey{std::string(full_name), {}});
  return keys_.back();
}

RegistryKey& RegistryModel::Create(std::string_view full_name, std::string_view root) {
  if (RegistryKey* key = Find(full_name)) return *key;
  // Ancestors from the root on come first, as a registry export lists them.
  for (std::size_t pos = full_name.find('\\', root.size()); pos != std::string_view::npos;
       pos = full_name.find('\\', pos + 1)) {
    std::string_view ancestor = full_name.substr(0, pos);
    if (!Find(ancestor)) Add(ancestor);
  }
  return Add(full_name);
}

const StoredValue* RegistryModel::Value(const RegistryKey& key, std::string_view name) const {
  std::string folded = FoldName(name);
  for (const auto& [value_name, value] : key.values) {
    if (FoldName(value_name) == folded) return &value;
  }
  return nullptr;
}

void RegistryModel::SetValue(RegistryKey& key, std::string_view name, const StoredValue& value) {
  std::string folded = FoldName(name);
  for (auto& [value_name, stored] : key.values) {
    if (FoldName(value_name) == folded) {
      stored = value;
      return;
    }
  }
  key.values.emplace_back(std::string(name), value);
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A quoted text with \\ and \" escapes starting at text[pos] == '"'. Moves pos past
// the closing quote.
std::optional<std::string> ParseQuoted(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
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

std::optional<std::string> ParseHexBytes(std::string_view list) {
  std::string bytes;
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < list.size() && (list[i] == ' ' || list[i] == '\t')) ++i;
  };
  skip_blanks();
  if (i == list.size()) return bytes;
  for (;;) {
    int high = i < list.size() ? HexDigit(list[i]) : -1;
    int low = i + 1 < list.size() ? HexDigit(list[i + 1]) : -1;
    if (high < 0) return std::nullopt;
    if (low < 0) {
      bytes += static_cast<char>(high);
      i += 1;
    } else {
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    }
    skip_blanks();
    if (i == list.size()) return bytes;
    if (list[i] != ',') return std::nullopt;
    ++i;
    skip_blanks();
    if (i == list.size()) return bytes;  // a trailing comma
  }
}

std::optional<StoredValue> ParseData(std::string_view data) {
  if (!data.empty() && data.front() == '"') {
    std::size_t pos = 0;
    std::optional<std::string> text = ParseQuoted(data, pos);
    if (!text || pos != data.size()) return std::nullopt;
    return StoredValue::Text(*text);
  }
  if (data.substr(0, 6) == "dword:") {
    std::string_view digits = data.substr(6);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      number = number * 16 + static_cast<std::uint32_t>(d);
    }
    return StoredValue::Number(static_cast<std::int32_t>(number));
  }
  std::uint32_t type = kTypeBinary;
  std::string_view list;
  if (data.substr(0, 4) == "hex:") {
    list = data.substr(4);
  } else if (data.substr(0, 4) == "hex(") {
    std::size_t close = data.find("):", 4);
    if (close == std::string_view::npos || close == 4 || close > 12) return std::nullopt;
    type = 0;
    for (char c : data.substr(4, close - 4)) {
      int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      type = type * 16 + static_cast<std::uint32_t>(d);
    }
    list = data.substr(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::string> bytes = ParseHexBytes(list);
  if (!bytes) return std::nullopt;
  return StoredValue{type, std::move(*bytes)};
}

std::string_view TrimLine(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

}  // namespace

std::optional<RegistryModel> ParseRegistryText(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  RegistryModel model;
  RegistryKey* key = nullptr;
  bool skipping = false;  // inside a "[-KEY]" removal block
  bool header_seen = false;
  std::size_t pos = 0;
  std::string logical;
  while (pos < text.size()) {
    std::size_t lf = text.find('\n', pos);
    std::string_view line = text.substr(pos, lf == std::string_view::npos ? text.size() - pos
                                                                           : lf - pos);
    pos = lf == std::string_view::npos ? text.size() : lf + 1;
    line = TrimLine(line);
    if (!header_seen) {
      if (line.empty()) continue;
      if (line != "REGEDIT4") return std::nullopt;
      header_seen = true;
      continue;
    }
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return std::nullopt;
      std::string_view name = line.substr(1, line.size() - 2);
      // A removal block names a key to delete: nothing to keep from it.
      skipping = name.front() == '-';
      key = skipping ? nullptr : &model.Create(name, name);
      continue;
    }
    // A value line, possibly continued by a trailing backslash (long hex lists).
    logical.assign(line);
    while (!logical.empty() && logical.back() == '\\' && logical.find("=hex") != std::string::npos &&
           pos < text.size()) {
      logical.pop_back();
      std::size_t next_lf = text.find('\n', pos);
      std::string_view next = text.substr(pos, next_lf == std::string_view::npos
                                                   ? text.size() - pos
                                                   : next_lf - pos);
      pos = next_lf == std::string_view::npos ? text.size() : next_lf + 1;
      logical += TrimLine(next);
    }
    if (skipping) continue;
    if (!key) return std::nullopt;
    std::string name;
    std::size_t after = 0;
    if (logical.front() == '@') {
      after = 1;
    } else {
      std::optional<std::string> quoted = ParseQuoted(logical, after);
      if (!quoted) return std::nullopt;
      name = std::move(*quoted);
    }
    std::string_view rest = std::string_view(logical).substr(after);
    rest = TrimLine(rest);
    if (rest.empty() || rest.front() != '=') return std::nullopt;
    rest = TrimLine(rest.substr(1));
    if (rest == "-") continue;  // a removed value
    std::optional<StoredValue> value = ParseData(rest);
    if (!value) return std::nullopt;
    model.SetValue(*key, name, *value);
  }
  if (!header_seen) return std::nullopt;
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

// A text value is written in quotes when it is one zero-terminated run of printable
// bytes; otherwise as hex(1) so that no byte is lost.
bool PrintableText(const StoredValue& value) {
  const std::string& b = value.bytes;
  if (value.type != kTypeText || b.empty() || b.back() != '\0') return false;
  for (std::size_t i = 0; i + 1 < b.size(); ++i) {
    if (static_cast<unsigned char>(b[i]) < 0x20) return false;
  }
  return true;
}

void AppendHex(std::string& out, std::size_t line_start, std::string_view bytes) {
  char digits[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    out += digits;
    if (i + 1 < bytes.size()) {
      out += ',';
      if (out.size() - line_start > 76) {
        out += "\\\n  ";
        line_start = out.size() - 2;
      }
    }
  }
}

}  // namespace

std::string FormatRegistryText(const RegistryModel& model) {
  std::string out = "REGEDIT4\n";
  char number[16];
  for (const RegistryKey& key : model.keys()) {
    out += "\n[";
    out += key.name;
    out += "]\n";
    for (const auto& [name, value] : key.values) {
      std::size_t line_start = out.size();
      if (name.empty()) {
        out += '@';
      } else {
        AppendQuoted(out, name);
      }
      out += '=';
      if (PrintableText(value)) {
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
          std::snprintf(number, sizeof number, "hex(%x):", value.type);
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
