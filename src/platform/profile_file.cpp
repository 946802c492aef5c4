#include "platform/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string data;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  std::fclose(f);
  return data;
}

// One line of the file: [begin, end) without its line end, next = start of the next line.
struct Line {
  std::size_t begin, end, next;
};

// Walks the lines of an INI text and classifies them.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool Next(Line& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t lf = text_.find('\n', pos_);
    line.begin = pos_;
    line.next = lf == std::string_view::npos ? text_.size() : lf + 1;
    line.end = lf == std::string_view::npos ? text_.size() : lf;
    if (line.end > line.begin && text_[line.end - 1] == '\r') --line.end;
    pos_ = line.next;
    return true;
  }

  std::string_view Content(const Line& line) const {
    return text_.substr(line.begin, line.end - line.begin);
  }

  // The section name when the line is a section header.
  std::optional<std::string_view> Section(const Line& line) const {
    std::string_view s = Trim(Content(line));
    if (s.empty() || s.front() != '[') return std::nullopt;
    s.remove_prefix(1);
    return Trim(s.substr(0, s.find(']')));
  }

  // The key name when the line is a "key=value" line ("; comment" lines are not).
  std::optional<std::string_view> Key(const Line& line) const {
    std::string_view s = Content(line);
    std::size_t equals = s.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::string_view key = Trim(s.substr(0, equals));
    if (!key.empty() && key.front() == ';') return std::nullopt;
    return key;
  }

  // The value's position in the text, trimmed, without the surrounding quotes.
  std::pair<std::size_t, std::size_t> ValueRange(const Line& line) const {
    std::size_t begin = text_.find('=', line.begin) + 1;
    std::size_t end = line.end;
    while (begin < end && IsBlank(text_[begin])) ++begin;
    while (end > begin && IsBlank(text_[end - 1])) --end;
    return {begin, end};
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Quotes around a whole value are not part of it, as the platform's reader has it.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

struct Found {
  bool section = false;
  std::size_t section_header_next = 0;  // just after the section's header line
  std::size_t section_content_end = 0;  // just after the section's last non-blank line
  bool key = false;
  Line key_line{};
};

Found Locate(std::string_view text, std::string_view section, std::string_view key) {
  Found found;
  Scanner scanner(text);
  Line line;
  bool inside = false;
  while (scanner.Next(line)) {
    if (std::optional<std::string_view> name = scanner.Section(line)) {
      if (found.section) {
        if (inside) break;  // the first section of that name is the one used
      }
      inside = SameName(*name, section);
      if (inside) {
        found.section = true;
        found.section_header_next = found.section_content_end = line.next;
      }
      continue;
    }
    if (!inside) continue;
    if (!Trim(scanner.Content(line)).empty()) found.section_content_end = line.next;
    if (!key.empty()) {
      std::optional<std::string_view> k = scanner.Key(line);
      if (k && SameName(*k, key)) {
        found.key = true;
        found.key_line = line;
        return found;
      }
    }
  }
  return found;
}

bool ValidName(std::string_view name) {
  return !name.empty() && name.find_first_of("\r\n") == std::string_view::npos;
}

// Writes data next to path and renames it over path, keeping the old file's mode.
bool ReplaceFile(const std::string& path, const std::string& data) {
  std::string temp = path + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  struct stat old {};
  mode_t mode = 0644;
  if (stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = fchmod(fd, mode) == 0;
  std::size_t written = 0;
  while (ok && written < data.size()) {
    ssize_t n = write(fd, data.data() + written, data.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else written += static_cast<std::size_t>(n);
  }
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view default_value,
                              std::size_t max_chars) {
  std::optional<std::string> text = ReadWholeFile(path);
  std::string_view result = default_value;
  if (text) {
    Found found = Locate(*text, section, key);
    if (found.key) {
      Scanner scanner(*text);
      auto [begin, end] = scanner.ValueRange(found.key_line);
      result = Unquote(std::string_view(*text).substr(begin, end - begin));
    }
  }
  return std::string(result.substr(0, max_chars));
}

int ReadProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int default_value) {
  std::string value = ReadProfileString(path, section, key, "", 259);
  std::string_view s = Trim(value);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.front() < '0' || s.front() > '9') return default_value;
  // Wraps like the platform's unsigned reader for values beyond the int range.
  unsigned int number = 0;
  while (!s.empty() && s.front() >= '0' && s.front() <= '9') {
    number = number * 10u + static_cast<unsigned int>(s.front() - '0');
    s.remove_prefix(1);
  }
  return static_cast<int>(negative ? 0u - number : number);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
  // A line break would split the entry and corrupt the file; such writes are refused.
  if (!ValidName(section) || !ValidName(key) || key.find('=') != std::string_view::npos ||
      section.find(']') != std::string_view::npos ||
      value.find_first_of("\r\n") != std::string_view::npos) {
    return false;
  }
  std::optional<std::string> existing = ReadWholeFile(path);
  if (!existing && errno != ENOENT) return false;
  std::string text = existing.value_or(std::string());

  std::size_t lf = text.find('\n');
  const char* eol = (lf != std::string::npos && lf > 0 && text[lf - 1] == '\r') ? "\r\n" : "\n";
  std::string entry = std::string(key) + "=" + std::string(value) + eol;

  Found found = Locate(text, section, key);
  if (found.key) {
    auto [begin, end] = Scanner(text).ValueRange(found.key_line);
    text.replace(begin, end - begin, value);
  } else if (found.section) {
    std::size_t at = found.section_content_end;
    // The section's last line may be the file's last line without a line end.
    if (at == text.size() && !text.empty() && text.back() != '\n') {
      text += eol;
      at = text.size();
    }
    text.insert(at, entry);
  } else {
    if (!text.empty() && text.back() != '\n') text += eol;
    text += "[" + std::string(section) + "]" + eol + entry;
  }
  return ReplaceFile(path, text);
}

std::vector<std::string> ReadProfileKeys(const std::string& path, std::string_view section) {
  std::vector<std::string> keys;
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return keys;
  Scanner scanner(*text);
  Line line;
  bool inside = false;
  bool seen = false;
  while (scanner.Next(line)) {
    if (std::optional<std::string_view> name = scanner.Section(line)) {
      if (inside) break;
      inside = !seen && SameName(*name, section);
      seen = seen || inside;
      continue;
    }
    if (!inside) continue;
    if (std::optional<std::string_view> key = scanner.Key(line); key && !key->empty()) {
      keys.emplace_back(*key);
    }
  }
  return keys;
}

std::vector<std::string> ReadProfileSections(const std::string& path) {
  std::vector<std::string> sections;
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return sections;
  Scanner scanner(*text);
  Line line;
  while (scanner.Next(line)) {
    if (std::optional<std::string_view> name = scanner.Section(line)) sections.emplace_back(*name);
  }
  return sections;
}

}  // namespace platform
