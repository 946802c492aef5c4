// Any INI file: a whole section read in one pass agrees with reading its keys one by
// one.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "platform/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz_support::WriteScratchFile(
      "section.ini", std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::string& section : platform::ReadProfileSections(path)) {
    auto entries = platform::ReadProfileSection(path, section);
    if (entries.size() > 50) continue;  // each key read re-reads the file
    for (const auto& [key, value] : entries) {
      if (platform::ReadProfileString(path, section, key, "\x01", 1 << 20) != value) std::abort();
    }
  }
  (void)platform::ReadProfileSection(path, "General Info");
  return 0;
}
