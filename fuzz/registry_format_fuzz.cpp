// Any text: parsing returns, and whatever parses writes out as text that parses to
// the same keys and values.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/registry_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<config::RegistryModel> model = config::ParseRegistryText(text);
  if (!model) return 0;
  std::string written = config::FormatRegistryText(*model);
  std::optional<config::RegistryModel> again = config::ParseRegistryText(written);
  if (!again || again->keys().size() != model->keys().size()) std::abort();
  for (std::size_t i = 0; i < model->keys().size(); ++i) {
    const config::RegistryKey& a = model->keys()[i];
    const config::RegistryKey& b = again->keys()[i];
    if (a.name() != b.name() || a.values() != b.values()) std::abort();
  }
  return 0;
}
