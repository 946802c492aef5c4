#include "engine/templates.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>

#include "engine/text_ops.h"
#include "platform/profile_file.h"

namespace engine {
namespace {

constexpr std::string_view kTemplateMarker = "[Template]";
constexpr std::string_view kStartMarker = "$_StartArgRepeat";
constexpr std::string_view kEndMarker = "$_EndArgRepeat";
constexpr std::string_view kRepeatIndex = "$_ArgRepeat";
// The longest piece of a line that the per-line operation receives: a line buffer of
// 1024 bytes with its terminating zero.
constexpr std::size_t kMaxPiece = 1023;

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string FullPath(const std::string& path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A directory opens for reading on POSIX but has no text, so it counts as unopenable.
File OpenForReading(const std::string& path) {
  if (path.find('\0') != std::string::npos) return nullptr;
  File file(std::fopen(path.c_str(), "rb"));
  struct stat st {};
  if (file && (fstat(fileno(file.get()), &st) != 0 || S_ISDIR(st.st_mode))) file.reset();
  return file;
}

// Reads whole lines, each with its line feed (the last one may lack it). Every byte
// is data, zero bytes included.
class LineReader {
 public:
  explicit LineReader(std::FILE* file) : file_(file), buffer_(new char[kBufferSize]) {}

  // False at the end of the file or after a read error, with `line` empty.
  bool Next(std::string& line) {
    line.clear();
    for (;;) {
      if (pos_ == end_ && !Fill()) return !line.empty();
      const char* start = buffer_.get() + pos_;
      std::size_t available = end_ - pos_;
      const void* lf = std::memchr(start, '\n', available);
      std::size_t length =
          lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1 : available;
      line.append(start, length);
      pos_ += length;
      if (lf) return true;
    }
  }

  bool failed() const { return std::ferror(file_) != 0; }

 private:
  static constexpr std::size_t kBufferSize = 64 * 1024;

  bool Fill() {
    pos_ = 0;
    end_ = std::fread(buffer_.get(), 1, kBufferSize, file_);
    return end_ > 0;
  }

  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiLower(text[i]) != AsciiLower(prefix[i])) return false;
  }
  return true;
}

}  // namespace

void FindTemplateFile(std::string& name, const config::Settings& settings) {
  if (name.empty() || name.find('\0') != std::string::npos) {
    name.clear();
    return;
  }
  if (IsRegularFile(name)) {
    name = FullPath(name);
    return;
  }
  std::string found;
  if (name.front() != '/') {
    const std::string list = settings.ReadSetting(kDefaultsSection, "Template Path", "");
    std::string_view rest = list;
    std::string candidate;
    while (found.empty() && !rest.empty()) {
      std::size_t semicolon = rest.find(';');
      std::string_view directory = Trimmed(rest.substr(0, semicolon));
      rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
      if (directory.empty()) continue;
      candidate.assign(directory);
      if (candidate.back() != '/') candidate += '/';
      candidate += name;
      if (IsRegularFile(candidate)) found = FullPath(candidate);
    }
  }
  name = std::move(found);
}

// Markers are recognised on whole lines; only the delivery to `per_line` cuts a line
// into pieces, so a long marker line is still one marker and a continuation piece
// never opens or closes a block.
bool ReadTemplateLines(const std::string& path, int argument_count, const LineOperation& per_line,
                       Notifier& notifier) {
  File file = OpenForReading(path);
  if (!file) {
    notifier.ShowMessage("Unable to open template file " + path);
    return false;
  }
  LineReader reader(file.get());
  std::string line;
  bool in_template = false;
  while (!in_template && reader.Next(line)) in_template = Trimmed(line) == kTemplateMarker;

  std::string piece;
  auto emit_pieces = [&](std::string& text) {
    if (text.size() <= kMaxPiece) {
      per_line(text);
      return;
    }
    for (std::size_t offset = 0; offset < text.size(); offset += kMaxPiece) {
      piece.assign(text, offset, kMaxPiece);
      per_line(piece);
    }
  };

  std::string block;
  std::string copy;
  while (in_template && reader.Next(line)) {
    if (!StartsWith(line, kStartMarker)) {
      emit_pieces(line);
      continue;
    }
    // The line after the start marker begins the block, even an end marker.
    if (!reader.Next(block)) break;
    while (reader.Next(line) && !StartsWithIgnoringCase(line, kEndMarker)) block += line;
    for (int i = 0; i < argument_count; ++i) {
      copy = block;
      ReplaceAll(copy, kRepeatIndex, std::to_string(i));
      per_line(copy);
    }
  }
  if (reader.failed()) {
    notifier.ShowMessage("Unable to open template file " + path);
    return false;
  }
  return true;
}

TemplateExpander::TemplateExpander(Notifier& notifier, PromptStep* prompt_step)
    : notifier_(notifier), prompt_step_(prompt_step) {
  result.reserve(4096);
}

void TemplateExpander::ReplaceDlgGetItems(std::string& text) const {
  for (const DlgGetItem& item : prompt_items_) ReplaceAll(text, item.expression, item.value);
}

bool TemplateExpander::ExpandControlFile(const std::string& path, const VariableTable& table,
                                         int argument_count) {
  if (path.empty()) return false;
  control_path_ = path;
  table_ = &table;
  argument_count_ = argument_count;
  // The expansion's state is dropped on every path, an exception included.
  struct Reset {
    TemplateExpander& expander;
    ~Reset() {
      expander.control_path_.clear();
      expander.table_ = nullptr;
      expander.argument_count_ = 0;
      expander.prompt_items_.clear();
    }
  } reset{*this};

  try {
    const std::string library = platform::ReadProfileString(path, "Dialog", "ResDllName", "", 259);
    if (!library.empty()) {
      if (!prompt_step_) {
        notifier_.ShowMessage("Unable to find resource DLL: " + library);
        return false;
      }
      if (!prompt_step_->Run(*this)) return false;
    }
    return ReadTemplateLines(
        path, argument_count,
        [&](std::string& text) {
          SubstituteVariables(text, table);
          ReplaceDlgGetItems(text);
          EmitLine(text);
        },
        notifier_);
  } catch (const std::bad_alloc&) {
    // Out of memory ends this expansion as a failure, not the program.
    return false;
  }
}

}  // namespace engine
