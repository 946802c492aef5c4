#include "config/store.h"

namespace config {

StoredValue StoredValue::Text(std::string_view text) {
  StoredValue value{kTypeText, std::string(text)};
  value.bytes.push_back('\0');
  return value;
}

StoredValue StoredValue::Number(std::int32_t number) {
  auto u = static_cast<std::uint32_t>(number);
  StoredValue value{kTypeNumber, std::string(4, '\0')};
  for (int i = 0; i < 4; ++i) value.bytes[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  return value;
}

}  // namespace config
