// The configuration store: a tree of keys below the application key
// ("Software\Brackwater Software\Tallowick" of the current user) holding typed
// values, as the registry does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// Registry value types; the numbers are the registry's own.
enum ValueType : std::uint32_t {
  kTypeNone = 0,
  kTypeText = 1,        // REG_SZ: bytes + one zero byte
  kTypeExpandText = 2,  // REG_EXPAND_SZ
  kTypeBinary = 3,      // REG_BINARY
  kTypeNumber = 4,      // REG_DWORD: 4 bytes little-endian
  kTypeMultiText = 7,   // REG_MULTI_SZ
};

struct StoredValue {
  std::uint32_t type = kTypeNone;
  std::string bytes;  // exactly as stored (a text includes its terminating zero)

  static StoredValue Text(std::string_view text);
  static StoredValue Number(std::int32_t number);
  bool operator==(const StoredValue&) const = default;
};

// Key names below the application key: one ("Configurations") or two ("Default",
// "Defaults"). Names compare without regard to case.
using KeyPath = std::vector<std::string>;

// Every operation opens, acts and closes. Opening a path creates its missing keys,
// for reads too.
class Store {
 public:
  virtual ~Store() = default;
  // nullopt when the value is absent or the keys cannot be opened or created.
  virtual std::optional<StoredValue> Read(const KeyPath& path, std::string_view name) = 0;
  virtual bool Write(const KeyPath& path, std::string_view name, const StoredValue& value) = 0;
};

}  // namespace config
