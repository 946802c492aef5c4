#include "tallowik/paths.h"

#include <filesystem>
#include <system_error>

namespace tallowik {

std::string MakeFullPath(std::string_view name) {
  if (name.empty() || name.find('\0') != std::string_view::npos) return std::string(name);
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(name), error);
  return error ? std::string(name) : full.string();
}

std::string CutAtLastPeriod(std::string_view name) {
  return std::string(name.substr(0, name.rfind('.')));
}

}  // namespace tallowik
