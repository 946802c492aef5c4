// The store kept in a REGEDIT4 text file, shared by every program of the suite:
// $XDG_CONFIG_HOME/Brackwater Software/Tallowick.reg.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/store.h"

namespace config {

class RegistryModel;

// The store file's path from XDG_CONFIG_HOME (default ~/.config; without HOME, the
// home directory of the user's password entry).
std::string DefaultRegistryPath();

// Each operation opens, acts and closes; no file stays open between operations.
// A write (and a read that has to create keys) takes an exclusive lock on
// "<file>.lock", re-reads the file, changes it and replaces it atomically, so
// concurrent writers of different values lose neither and readers always see a
// whole file. A file that does not parse reads as empty; the first operation that
// has to change it moves it aside under a new name (reported on standard error).
class RegistryFileStore : public Store {
 public:
  explicit RegistryFileStore(std::string path);
  ~RegistryFileStore() override;
  RegistryFileStore(const RegistryFileStore&) = delete;
  RegistryFileStore& operator=(const RegistryFileStore&) = delete;

  std::optional<StoredValue> Read(const KeyPath& path, std::string_view name) override;
  bool Write(const KeyPath& path, std::string_view name, const StoredValue& value) override;

  const std::string& path() const { return path_; }

 private:
  struct Cache;
  // Applies `change` to the file under the lock; `change` says whether it altered
  // the model (nothing is written when it did not).
  bool Modify(const std::function<bool(RegistryModel&)>& change);

  std::string path_;
  std::unique_ptr<Cache> cache_;  // the parsed file while its size, mtime and inode hold
};

}  // namespace config
