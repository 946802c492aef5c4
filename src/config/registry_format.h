// The REGEDIT4 text form of the store: parsing and writing the whole file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "config/store.h"

namespace config {

// One key with its values in the order first written. "" names the default value ("@").
class RegistryKey {
 public:
  explicit RegistryKey(std::string name) : name_(std::move(name)) {}

  // Full name as first spelled: "HKEY_CURRENT_USER\Software\...".
  const std::string& name() const { return name_; }
  const std::vector<std::pair<std::string, StoredValue>>& values() const { return values_; }

  // Case-insensitive lookup; nullptr when absent.
  const StoredValue* Value(std::string_view name) const;
  // Sets or adds the value (an existing value keeps its spelling); false when the
  // value was already stored exactly so.
  bool SetValue(std::string_view name, const StoredValue& value);

 private:
  std::string name_;
  std::vector<std::pair<std::string, StoredValue>> values_;
  std::unordered_map<std::string, std::size_t> index_;  // folded name -> position
};

// The keys of a file in the order first written. References to keys stay valid
// only until the next key is added.
class RegistryModel {
 public:
  // The key, or nullptr; case-insensitive.
  RegistryKey* Find(std::string_view full_name);
  const RegistryKey* Find(std::string_view full_name) const;
  // The key, added when absent (its ancestors are not added).
  RegistryKey& Open(std::string_view full_name);
  // The key, added when absent together with every missing ancestor whose name is
  // longer than `root` ("HKEY_CURRENT_USER" adds "HKEY_CURRENT_USER\Software" and
  // below), ancestors first as a registry export lists them. Sets `*created` to
  // whether any key was added.
  RegistryKey& Create(std::string_view full_name, std::string_view root, bool* created = nullptr);
  const std::vector<RegistryKey>& keys() const { return keys_; }

 private:
  RegistryKey& Add(std::string_view full_name);
  std::vector<RegistryKey> keys_;
  std::unordered_map<std::string, std::size_t> index_;  // folded name -> position
};

// nullopt when the text is not a REGEDIT4 file this store can read: the first
// non-blank line must be "REGEDIT4" (a UTF-8 byte order mark and CR LF line ends are
// accepted), and every later line must be blank, a ";" comment, a key header, a
// value line or the continuation of a hex value. Removal lines ("[-KEY]" and
// "name"=-) are accepted and ignored: they remove nothing.
std::optional<RegistryModel> ParseRegistryText(std::string_view text);

// The whole file: "REGEDIT4", then every key with its values, blank-line separated.
std::string FormatRegistryText(const RegistryModel& model);

}  // namespace config
