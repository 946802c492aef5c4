// The REGEDIT4 text form of the store: parsing and writing the whole file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "config/store.h"

namespace config {

struct RegistryKey {
  std::string name;  // full name as first written: "HKEY_CURRENT_USER\Software\..."
  std::vector<std::pair<std::string, StoredValue>> values;  // "" is the default value "@"
};

class RegistryModel {
 public:
  // The key, or nullptr.
  RegistryKey* Find(std::string_view full_name);
  // The key, created with every missing ancestor below `root` when absent.
  RegistryKey& Create(std::string_view full_name, std::string_view root);
  const StoredValue* Value(const RegistryKey& key, std::string_view name) const;
  void SetValue(RegistryKey& key, std::string_view name, const StoredValue& value);
  const std::vector<RegistryKey>& keys() const { return keys_; }

 private:
  RegistryKey& Add(std::string_view full_name);
  std::vector<RegistryKey> keys_;
  std::unordered_map<std::string, std::size_t> index_;  // folded name -> position
};

// nullopt when the text is not a REGEDIT4 file this store can read.
std::optional<RegistryModel> ParseRegistryText(std::string_view text);
std::string FormatRegistryText(const RegistryModel& model);

}  // namespace config
