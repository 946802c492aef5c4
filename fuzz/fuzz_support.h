// Helpers shared by the fuzz targets: a private scratch directory and writing the
// input to a file in it, for parsers that read files.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz_support {

inline const std::string& ScratchDirectory() {
  static const std::string directory = [] {
    std::string pattern = "/tmp/brk-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    return pattern;
  }();
  return directory;
}

// Writes `bytes` to `name` in the scratch directory (replacing it) and returns its path.
inline std::string WriteScratchFile(std::string_view name, std::string_view bytes) {
  std::string path = ScratchDirectory() + "/" + std::string(name);
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Splits the input at its zero bytes into at most `count` parts; missing parts are
// empty. Lets one input carry several texts (a file and a name, say).
inline std::vector<std::string_view> SplitInput(const std::uint8_t* data, std::size_t size,
                                                std::size_t count) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < count) {
    std::size_t zero = rest.find('\0');
    if (zero == std::string_view::npos) break;
    parts.push_back(rest.substr(0, zero));
    rest.remove_prefix(zero + 1);
  }
  parts.push_back(rest);
  parts.resize(count);
  return parts;
}

}  // namespace fuzz_support
