#include "ferrul/script_file.h"

#include "platform/atomic_file.h"

namespace ferrul {

std::string ScriptFileName(std::string_view program_path) {
  std::size_t slash = program_path.rfind('/');
  std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
  std::size_t dot = program_path.rfind('.');
  if (dot == std::string_view::npos || dot <= name_start) {
    return std::string(program_path) + ".awk";
  }
  return std::string(program_path.substr(0, dot + 1)) + "awk";
}

std::string ReadScript(const std::string& path) {
  platform::FileContents contents = platform::ReadWholeFile(path);
  if (contents.status != platform::FileContents::Status::kRead) return {};
  std::size_t zero = contents.bytes.find('\0');
  if (zero != std::string::npos) contents.bytes.resize(zero);
  return std::move(contents.bytes);
}

bool WriteScript(const std::string& path, std::string_view text) {
  return platform::ReplaceFileAtomically(path, text);
}

}  // namespace ferrul
