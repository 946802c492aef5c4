// The read and write operations through which every program reaches the
// configuration store, and the choice of the configuration in force.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/store.h"

namespace config {

inline constexpr std::string_view kDefaultConfiguration = "Default";
inline constexpr std::string_view kConfigurationsSection = "Configurations";

// An indexed value name: the base name followed at once by the decimal index
// ("Configuration0", "User Holder2").
std::string IndexedName(std::string_view base, int index);

// Reads never fail loudly: a missing value, a failed store or an unusable stored
// value gives the caller's default. Writes report success, which no caller acts on.
class Settings {
 public:
  explicit Settings(Store& store) : store_(store) {}

  Store& store() const { return store_; }

  // Two-level values: configuration, subsection ("Defaults", "User Strings", ...).
  std::string ReadSetting(std::string_view configuration, std::string_view subsection,
                          std::string_view name, std::string_view default_value) const;
  std::int32_t ReadSettingNumber(std::string_view configuration, std::string_view subsection,
                                 std::string_view name, std::int32_t default_value) const;
  bool WriteSetting(std::string_view configuration, std::string_view subsection,
                    std::string_view name, std::string_view value) const;
  bool WriteSettingNumber(std::string_view configuration, std::string_view subsection,
                          std::string_view name, std::int32_t value) const;

  // The same in the configuration in force (`CurrentConfiguration`).
  std::string ReadSetting(std::string_view subsection, std::string_view name,
                          std::string_view default_value) const;
  std::int32_t ReadSettingNumber(std::string_view subsection, std::string_view name,
                                 std::int32_t default_value) const;
  bool WriteSetting(std::string_view subsection, std::string_view name,
                    std::string_view value) const;
  bool WriteSettingNumber(std::string_view subsection, std::string_view name,
                          std::int32_t value) const;

  // One-level values ("Configurations" section).
  std::string ReadSectionValue(std::string_view section, std::string_view name,
                               std::string_view default_value) const;
  std::int32_t ReadSectionNumber(std::string_view section, std::string_view name,
                                 std::int32_t default_value) const;
  bool WriteSectionValue(std::string_view section, std::string_view name,
                         std::string_view value) const;
  bool WriteSectionNumber(std::string_view section, std::string_view name,
                          std::int32_t value) const;

  // Indexed forms: `base` + decimal `index` as the value name.
  std::string ReadSetting(std::string_view configuration, std::string_view subsection,
                          std::string_view base, int index, std::string_view default_value) const;
  bool WriteSetting(std::string_view configuration, std::string_view subsection,
                    std::string_view base, int index, std::string_view value) const;
  std::string ReadSectionValue(std::string_view section, std::string_view base, int index,
                               std::string_view default_value) const;
  bool WriteSectionValue(std::string_view section, std::string_view base, int index,
                         std::string_view value) const;

  // The chooser of an open settings sheet answers through this hook; without a hook,
  // or when it answers nullopt, the configuration in force is "Last Configuration"
  // of "Configurations" (default "Default"). An empty name stands for "Default".
  using ChooserHook = std::function<std::optional<std::string>()>;
  void SetChooserHook(ChooserHook hook) { chooser_ = std::move(hook); }
  std::string CurrentConfiguration() const;

 private:
  Store& store_;
  ChooserHook chooser_;
};

}  // namespace config
