// Any file name with any "Swap File Groupings" text: the swapped name keeps the
// original's directory and base name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "quorvan/actions/source_header_swap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::SplitInput(data, size, 2);
  std::optional<std::string> swapped = quorvan::SwappedFileName(parts[0], parts[1]);
  if (!swapped) return 0;
  const std::size_t dot = parts[0].rfind('.');
  if (dot != std::string_view::npos && !swapped->starts_with(parts[0].substr(0, dot + 1))) {
    std::abort();
  }
  return 0;
}
