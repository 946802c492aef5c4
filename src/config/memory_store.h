// A store held in memory, for tests; keeps the same case rules and
// create-on-read behaviour as the file store.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/store.h"

namespace config {

class MemoryStore : public Store {
 public:
  std::optional<StoredValue> Read(const KeyPath& path, std::string_view name) override;
  bool Write(const KeyPath& path, std::string_view name, const StoredValue& value) override;

  // Whether the key exists (created by a read or a write); case-insensitive.
  bool HasKey(const KeyPath& path) const;
  // Makes every later operation fail, as a store that cannot be opened.
  void SetBroken(bool broken) { broken_ = broken; }

 private:
  struct Key {
    std::string spelling;
    std::map<std::string, std::pair<std::string, StoredValue>> values;  // by lower-case name
  };
  Key* Open(const KeyPath& path);
  std::map<std::string, Key> keys_;  // by lower-case joined path
  bool broken_ = false;
};

}  // namespace config
