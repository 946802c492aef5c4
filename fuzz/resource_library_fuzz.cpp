// Any file offered as a template resource library: opening and looking up the
// layouts that prompt dialogs ask for stays within the file.
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "platform/resource_library.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz_support::WriteScratchFile(
      "library.rcc", std::string_view(reinterpret_cast<const char*>(data), size));
  std::optional<platform::ResourceLibrary> library = platform::ResourceLibrary::Open(path);
  if (!library) return 0;
  for (std::string_view resource : {"/7001.ui", "7001.ui", "/", "", "/a/b/c.ui", "//x"}) {
    (void)library->Contains(resource);
  }
  return 0;
}
