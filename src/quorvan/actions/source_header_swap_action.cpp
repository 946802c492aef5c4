#include <dirent.h>
#include <sys/stat.h>

#include <optional>
#include <string>

#include "engine/templates.h"
#include "quorvan/actions/actions.h"
#include "quorvan/actions/source_header_swap.h"

namespace quorvan {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

}  // namespace

std::optional<std::string> SwappedFileName(std::string_view file_name, std::string_view groupings) {
  const std::size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string_view extension = file_name.substr(dot + 1);

  std::string_view rest = groupings;
  while (!rest.empty()) {
    const std::size_t open = rest.find('[');
    std::string_view group = rest.substr(0, open);
    rest = open == std::string_view::npos ? std::string_view() : rest.substr(open + 1);
    if (group.empty()) continue;  // "[" at the start, or "[[": no group between
    const std::size_t comma = group.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view first = group.substr(0, comma);
    std::string_view second = group.substr(comma + 1);
    if (!second.empty()) second.remove_suffix(1);  // the closing bracket

    std::string_view replacement;
    if (EqualIgnoringCase(extension, second)) {
      replacement = first;
    } else if (EqualIgnoringCase(extension, first)) {
      replacement = second;
    } else {
      continue;
    }
    std::string swapped(file_name.substr(0, dot + 1));
    swapped.append(replacement);
    return swapped;
  }
  return std::nullopt;
}

std::string ExistingExtensionCase(const std::string& path) {
  if (Exists(path)) return path;
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  // Only a "." within the last path element marks an extension that may vary.
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
  const std::string directory =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string_view name = std::string_view(path).substr(slash + 1);
  const std::size_t stem = dot - (slash + 1) + 1;  // the name up to and including "."

  DIR* dir = opendir(directory.c_str());
  if (!dir) return path;
  std::optional<std::string> best;
  while (dirent* entry = readdir(dir)) {
    std::string_view candidate = entry->d_name;
    if (candidate.size() != name.size() || candidate.substr(0, stem) != name.substr(0, stem) ||
        !EqualIgnoringCase(candidate.substr(stem), name.substr(stem))) {
      continue;
    }
    if (!best || candidate < *best) best = std::string(candidate);
  }
  closedir(dir);
  if (!best) return path;
  return path.substr(0, slash + 1) + *best;
}

// Asks the IDE to open the file that belongs to the "/F" file; succeeds once a name
// is found, whether or not the IDE opens it.
bool SourceHeaderSwapAction(App& app) {
  if (app.command_line.file_name.find('.') == std::string::npos) return false;
  const std::string groupings = app.settings.ReadSetting(
      engine::kDefaultsSection, kSwapFileGroupings, kDefaultSwapFileGroupings);
  std::optional<std::string> swapped = SwappedFileName(app.command_line.file_name, groupings);
  if (!swapped) return false;
  app.ide.OpenFileInIde(ExistingExtensionCase(*swapped));
  return true;
}

}  // namespace quorvan
