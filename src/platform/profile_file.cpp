#include "platform/profile_file.h"

#include <climits>
#include <unordered_set>

#include "platform/atomic_file.h"

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view s) {
  std::string folded(s);
  for (char& c : folded) c = Lower(c);
  return folded;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

enum class LineKind { kBlank, kComment, kSection, kKey, kOther };

// One line of the text. [begin, end) is its content without the line end; `next` is
// where the following line starts (the text's size for the last line).
struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;
  LineKind kind = LineKind::kBlank;
  std::string_view name;        // the section or key name, trimmed
  std::size_t value_begin = 0;  // the key's value, trimmed, quotes included
  std::size_t value_end = 0;
};

// Lines end in LF or CR LF. A section header is "[" (after blanks) up to the first
// "]" on the line; text after it is ignored, and a "[" without "]" is no header. A key
// line has a non-empty name before its first "="; a line starting with ";" is a
// comment even when it holds "=". Everything else (including NUL bytes) is plain text.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  bool Next(Line& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t lf = text_.find('\n', pos_);
    line.begin = pos_;
    line.end = lf == std::string_view::npos ? text_.size() : lf;
    line.next = lf == std::string_view::npos ? text_.size() : lf + 1;
    if (line.end > line.begin && text_[line.end - 1] == '\r') --line.end;
    pos_ = line.next;
    Classify(line);
    return true;
  }

 private:
  void Classify(Line& line) const {
    std::size_t first = line.begin;
    while (first < line.end && IsBlank(text_[first])) ++first;
    line.name = {};
    if (first == line.end) {
      line.kind = LineKind::kBlank;
      return;
    }
    std::string_view content = text_.substr(first, line.end - first);
    if (content.front() == ';') {
      line.kind = LineKind::kComment;
      return;
    }
    if (content.front() == '[') {
      std::size_t close = content.find(']');
      if (close != std::string_view::npos) {
        line.kind = LineKind::kSection;
        line.name = Trim(content.substr(1, close - 1));
        return;
      }
    }
    std::size_t equals = content.find('=');
    line.kind = LineKind::kOther;
    if (equals == std::string_view::npos) return;
    line.name = Trim(content.substr(0, equals));
    if (line.name.empty()) return;
    line.kind = LineKind::kKey;
    line.value_begin = first + equals + 1;
    line.value_end = line.end;
    while (line.value_begin < line.value_end && IsBlank(text_[line.value_begin])) {
      ++line.value_begin;
    }
    while (line.value_end > line.value_begin && IsBlank(text_[line.value_end - 1])) {
      --line.value_end;
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Calls `visit(line)` for the header and each line of the first section named
// `section`, until it returns false. Returns whether the section exists.
template <typename Visit>
bool ScanSection(std::string_view text, std::string_view section, Visit visit) {
  LineReader reader(text);
  Line line;
  bool inside = false;
  while (reader.Next(line)) {
    if (line.kind == LineKind::kSection) {
      if (inside) return true;
      inside = SameName(line.name, section);
    }
    if (inside && !visit(line)) return true;
  }
  return inside;
}

// Where a key is, or where it would be added.
struct Location {
  bool section_found = false;
  bool key_found = false;
  Line key_line;
  std::size_t insert_at = 0;           // after the section's last non-blank line
  bool insert_needs_line_end = false;  // that line is the file's unterminated last line
};

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
  Location where;
  where.section_found = ScanSection(text, section, [&](const Line& line) {
    if (line.kind == LineKind::kKey && SameName(line.name, key)) {
      where.key_found = true;
      where.key_line = line;
      return false;
    }
    if (line.kind != LineKind::kBlank) {
      where.insert_at = line.next;
      where.insert_needs_line_end = line.next == text.size() && text.back() != '\n';
    }
    return true;
  });
  return where;
}

// A value surrounded by a matching pair of quotes (double or single) reads without
// them; the platform's reader does the same, so files written for it read alike.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The bytes to write so that a read gives `value` back: a value with blanks at an end,
// or one that a read would unquote, is written inside double quotes.
std::string EncodeValue(std::string_view value) {
  bool quote = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                  Unquote(value).size() != value.size());
  if (!quote) return std::string(value);
  std::string encoded;
  encoded.reserve(value.size() + 2);
  encoded += '"';
  encoded += value;
  encoded += '"';
  return encoded;
}

// The file's own line end: that of its first line; LF for a file without one.
std::string_view LineEndOf(std::string_view text) {
  std::size_t lf = text.find('\n');
  return lf != std::string_view::npos && lf > 0 && text[lf - 1] == '\r' ? "\r\n" : "\n";
}

bool LastLineIsBlank(std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  std::size_t lf = text.rfind('\n');
  return Trim(lf == std::string_view::npos ? text : text.substr(lf + 1)).empty();
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view default_value,
                              std::size_t max_chars) {
  // The default is the caller's own text: it is cut like a value but not trimmed.
  std::string_view result = default_value;
  FileContents file = ReadWholeFile(path);
  key = Trim(key);
  if (file.status == FileContents::Status::kRead && !key.empty()) {
    std::string_view text = file.bytes;
    Location where = Locate(text, Trim(section), key);
    if (where.key_found) {
      result = Unquote(text.substr(where.key_line.value_begin,
                                   where.key_line.value_end - where.key_line.value_begin));
    }
  }
  return std::string(result.substr(0, max_chars));
}

int ParseProfileInt(std::string_view text, int default_value) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  unsigned base = 10;
  auto digit = [&](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && Lower(c) >= 'a' && Lower(c) <= 'f') return Lower(c) - 'a' + 10;
    return -1;
  };
  if (i + 2 < text.size() && text[i] == '0' && Lower(text[i + 1]) == 'x') {
    base = 16;
    if (digit(text[i + 2]) >= 0) {
      i += 2;
    } else {
      base = 10;  // "0x" alone is the number 0 followed by text
    }
  }
  if (i >= text.size() || digit(text[i]) < 0) return default_value;
  // Accumulated as a magnitude that stops growing past the int range.
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long magnitude = 0;
  for (; i < text.size() && digit(text[i]) >= 0; ++i) {
    magnitude = magnitude * base + digit(text[i]);
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int default_value) {
  return ParseProfileInt(ReadProfileString(path, section, key, ""), default_value);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  // Refused: anything that would read back as a different line structure.
  if (section.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos ||
      key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      key.front() == ';' || key.front() == '[' || HasLineBreak(value)) {
    return false;
  }
  FileContents file = ReadWholeFile(path);
  // An existing file that cannot be read is never replaced: its contents would be lost.
  if (file.status == FileContents::Status::kUnreadable) return false;
  const std::string& text = file.bytes;
  std::string_view eol = LineEndOf(text);
  std::string encoded = EncodeValue(value);

  Location where = Locate(text, section, key);
  // The new file is written as pieces of the old text around the inserted bytes.
  std::string_view old = text;
  std::string added;  // the new lines, when a key is added
  std::string_view pieces[3];
  if (where.key_found) {
    std::size_t begin = where.key_line.value_begin;
    std::size_t end = where.key_line.value_end;
    if (old.substr(begin, end - begin) == encoded) return true;
    pieces[0] = old.substr(0, begin);
    pieces[1] = encoded;
    pieces[2] = old.substr(end);
  } else {
    std::size_t at = where.section_found ? where.insert_at : old.size();
    if (where.section_found ? where.insert_needs_line_end : !old.empty() && old.back() != '\n') {
      added += eol;
    }
    if (!where.section_found) {
      if (!old.empty() && !LastLineIsBlank(old)) added += eol;  // sections apart by a blank line
      added.append("[").append(section).append("]").append(eol);
    }
    added.append(key).append("=").append(encoded).append(eol);
    pieces[0] = old.substr(0, at);
    pieces[1] = added;
    pieces[2] = old.substr(at);
  }
  return ReplaceFileAtomically(path, pieces);
}

std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section) {
  std::vector<std::string> keys;
  FileContents file = ReadWholeFile(path);
  if (file.status != FileContents::Status::kRead) return keys;
  std::unordered_set<std::string> seen;
  ScanSection(file.bytes, Trim(section), [&](const Line& line) {
    if (line.kind == LineKind::kKey && seen.insert(Folded(line.name)).second) {
      keys.emplace_back(line.name);
    }
    return true;
  });
  return keys;
}

std::vector<std::pair<std::string, std::string>> ReadProfileSection(const std::string& path,
                                                                    std::string_view section) {
  std::vector<std::pair<std::string, std::string>> entries;
  FileContents file = ReadWholeFile(path);
  if (file.status != FileContents::Status::kRead) return entries;
  std::string_view text = file.bytes;
  std::unordered_set<std::string> seen;
  ScanSection(text, Trim(section), [&](const Line& line) {
    if (line.kind == LineKind::kKey && seen.insert(Folded(line.name)).second) {
      std::string_view value = text.substr(line.value_begin, line.value_end - line.value_begin);
      entries.emplace_back(std::string(line.name), std::string(Unquote(value)));
    }
    return true;
  });
  return entries;
}

std::vector<std::string> ReadProfileSections(const std::string& path) {
  std::vector<std::string> sections;
  FileContents file = ReadWholeFile(path);
  if (file.status != FileContents::Status::kRead) return sections;
  std::unordered_set<std::string> seen;
  LineReader reader(file.bytes);
  Line line;
  while (reader.Next(line)) {
    if (line.kind == LineKind::kSection && seen.insert(Folded(line.name)).second) {
      sections.emplace_back(line.name);
    }
  }
  return sections;
}

}  // namespace platform
