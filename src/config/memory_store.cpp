#include "config/memory_store.h"

#include "config/key_names.h"

namespace config {

MemoryStore::Key* MemoryStore::Open(const KeyPath& path) {
  if (broken_ || path.empty()) return nullptr;
  // Opening a path creates every missing key on it, as the registry does.
  std::string joined;
  Key* key = nullptr;
  for (const std::string& part : path) {
    if (part.empty()) return nullptr;
    if (!joined.empty()) joined += '\\';
    joined += part;
    auto [it, added] = keys_.try_emplace(FoldName(joined));
    if (added) it->second.spelling = joined;
    key = &it->second;
  }
  return key;
}

std::optional<StoredValue> MemoryStore::Read(const KeyPath& path, std::string_view name) {
  Key* key = Open(path);
  if (!key) return std::nullopt;
  auto it = key->values.find(FoldName(name));
  if (it == key->values.end()) return std::nullopt;
  return it->second.second;
}

bool MemoryStore::Write(const KeyPath& path, std::string_view name, const StoredValue& value) {
  Key* key = Open(path);
  if (!key) return false;
  auto [it, added] = key->values.try_emplace(FoldName(name), std::string(name), value);
  if (!added) it->second.second = value;
  return true;
}

bool MemoryStore::HasKey(const KeyPath& path) const {
  std::string joined;
  for (const std::string& part : path) {
    if (!joined.empty()) joined += '\\';
    joined += part;
  }
  return keys_.count(FoldName(joined)) > 0;
}

}  // namespace config
