// Any file contents: reads never fail, and a write that succeeds reads back while the
// other values of the file stay as they were.
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_file.h"

namespace {

const std::string& FilePath() {
  static const std::string path = [] {
    std::string dir = "/tmp/brk-profile-fuzz-XXXXXX";
    if (!mkdtemp(dir.data())) std::abort();
    return dir + "/f.ini";
  }();
  return path;
}

// Lower case, without blanks at the ends.
std::string Folded(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  std::string folded(s);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

struct Target {
  const char* section;
  const char* key;
  const char* value;
} const kTargets[] = {{"A", "k", "v"},    {" a ", "K", " blanks "},
                      {"B", "=", "x"},    {"CLS:C", "Type", "\"0\""},
                      {"[x", "k", "'q'"}, {"A", "k2", ""}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Target& target = kTargets[data[0] % (sizeof kTargets / sizeof kTargets[0])];
  const std::string& path = FilePath();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));

  using Values = std::map<std::pair<std::string, std::string>, std::string>;
  auto all_values = [&] {
    Values values;
    for (const std::string& section : platform::ReadProfileSections(path)) {
      for (const std::string& key : platform::ReadProfileKeys(path, section)) {
        values[{Folded(section), Folded(key)}] =
            platform::ReadProfileString(path, section, key, "\x01", 1 << 20);
      }
    }
    return values;
  };
  Values before = all_values();
  (void)platform::ReadProfileInt(path, target.section, target.key, 0);
  if (!platform::WriteProfileString(path, target.section, target.key, target.value)) return 0;
  Values after = all_values();
  auto written = std::make_pair(Folded(target.section), Folded(target.key));
  if (after[written] != target.value) std::abort();
  after.erase(written);
  before.erase(written);
  for (const auto& [name, value] : before) {
    if (after[name] != value) std::abort();
  }
  return 0;
}
