// Any clipboard file: parsing never fails badly, and what parses is written out as
// a file that parses to the same formats and bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<platform::ClipboardContents> contents = platform::ParseClipboard(bytes);
  if (!contents) return 0;
  std::optional<platform::ClipboardContents> again =
      platform::ParseClipboard(platform::SerializeClipboard(*contents));
  if (again != contents) std::abort();
  return 0;
}
