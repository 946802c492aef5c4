// The store kept in a REGEDIT4 text file, shared by every program of the suite:
// $XDG_CONFIG_HOME/Brackwater Software/Tallowick.reg.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/store.h"

namespace config {

// The store file's path from XDG_CONFIG_HOME (default ~/.config).
std::string DefaultRegistryPath();

// Each operation opens, acts and closes. A write (and a read that has to create keys)
// takes an exclusive lock on "<file>.lock", re-reads the file, changes it and
// replaces it atomically, so concurrent writers of different values lose neither. A
// file that does not parse reads as empty; before the first write to it, it is moved
// aside under a new name (reported on standard error).
class RegistryFileStore : public Store {
 public:
  explicit RegistryFileStore(std::string path);
  ~RegistryFileStore() override;

  std::optional<StoredValue> Read(const KeyPath& path, std::string_view name) override;
  bool Write(const KeyPath& path, std::string_view name, const StoredValue& value) override;

  const std::string& path() const { return path_; }

 private:
 public:
  struct Cache;

 private:
  std::string path_;
  Cache* cache_;  // the parsed file while its size, mtime and inode are unchanged
};

}  // namespace config
