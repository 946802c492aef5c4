#include "engine/templates.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <filesystem>

#include "engine/text_ops.h"
#include "platform/profile_file.h"

namespace engine {
namespace {

bool IsFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string FullPath(const std::string& path) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

// Reads a file as pieces of at most 1023 bytes that end at a line feed, like a
// 1024-byte line buffer does. Zero bytes are data.
class PieceReader {
 public:
  explicit PieceReader(FILE* file) : file_(file) {}

  bool Next(std::string& piece) {
    piece.clear();
    while (piece.size() < kMaxPiece) {
      if (pos_ == end_ && !Fill()) return !piece.empty();
      std::size_t room = kMaxPiece - piece.size();
      std::size_t available = std::min(room, end_ - pos_);
      const char* start = buffer_ + pos_;
      const void* lf = std::memchr(start, '\n', available);
      if (lf) {
        std::size_t length = static_cast<const char*>(lf) - start + 1;
        piece.append(start, length);
        pos_ += length;
        return true;
      }
      piece.append(start, available);
      pos_ += available;
    }
    return true;
  }

 private:
  static constexpr std::size_t kMaxPiece = 1023;
  bool Fill() {
    end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    return end_ > 0;
  }
  FILE* file_;
  char buffer_[65536];
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

void FindTemplateFile(std::string& name, const config::Settings& settings) {
  if (name.empty()) return;
  if (IsFile(name)) {
    name = FullPath(name);
    return;
  }
  std::string found;
  if (name.front() != '/') {
    std::string_view list = settings.ReadSetting(kDefaultsSection, "Template Path", "");
    std::string path_list(list);
    std::string_view rest = path_list;
    while (found.empty() && !rest.empty()) {
      std::size_t semicolon = rest.find(';');
      std::string directory(Trimmed(rest.substr(0, semicolon)));
      rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
      if (directory.empty()) continue;
      if (directory.back() != '/') directory += '/';
      if (IsFile(directory + name)) found = FullPath(directory + name);
    }
  }
  name = found;
}

bool ReadTemplateLines(const std::string& path, int argument_count, const LineOperation& per_line,
                       Notifier& notifier) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    notifier.ShowMessage("Unable to open template file " + path);
    return false;
  }
  auto piece_reader = std::make_unique<PieceReader>(file);
  PieceReader& reader = *piece_reader;
  std::string line;
  bool in_template = false;
  while (!in_template && reader.Next(line)) in_template = Trimmed(line) == "[Template]";

  std::string block;
  std::string copy;
  while (in_template && reader.Next(line)) {
    if (!StartsWith(line, "$_StartArgRepeat")) {
      per_line(line);
      continue;
    }
    // The line after the start marker always begins the block, even an end marker.
    if (!reader.Next(block)) break;
    while (reader.Next(line) && !StartsWithIgnoringCase(line, "$_EndArgRepeat")) block += line;
    for (int i = 0; i < argument_count; ++i) {
      copy = block;
      ReplaceAll(copy, "$_ArgRepeat", std::to_string(i));
      per_line(copy);
    }
  }
  std::fclose(file);
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

  bool ok = true;
  std::string library = platform::ReadProfileString(path, "Dialog", "ResDllName", "", 259);
  if (!library.empty()) {
    if (prompt_step_) {
      ok = prompt_step_->Run(*this);
    } else {
      notifier_.ShowMessage("Unable to find resource DLL: " + library);
      ok = false;
    }
  }
  if (ok) {
    ok = ReadTemplateLines(path, argument_count, [&](std::string& text) {
      SubstituteVariables(text, table);
      ReplaceDlgGetItems(text);
      EmitLine(text);
    }, notifier_);
  }

  control_path_.clear();
  table_ = nullptr;
  argument_count_ = 0;
  prompt_items_.clear();
  return ok;
}

}  // namespace engine
