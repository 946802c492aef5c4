#include "config/settings.h"

namespace config {

std::string IndexedName(std::string_view base, int index) {
  return std::string(base) + std::to_string(index);
}

namespace {

// Any stored type reads as text: its bytes up to the first zero byte.
std::string AsText(const std::optional<StoredValue>& value, std::string_view default_value) {
  if (!value) return std::string(default_value);
  const std::string& bytes = value->bytes;
  return bytes.substr(0, bytes.find('\0'));
}

// 1 to 4 bytes, little-endian, missing high bytes zero. A longer value cannot be
// read as a number, and an empty one holds nothing to read.
std::int32_t AsNumber(const std::optional<StoredValue>& value, std::int32_t default_value) {
  if (!value || value->bytes.empty() || value->bytes.size() > 4) return default_value;
  std::uint32_t u = 0;
  for (std::size_t i = 0; i < value->bytes.size(); ++i) {
    u |= static_cast<std::uint32_t>(static_cast<unsigned char>(value->bytes[i])) << (8 * i);
  }
  return static_cast<std::int32_t>(u);
}

KeyPath Path(std::string_view first) { return KeyPath{std::string(first)}; }
KeyPath Path(std::string_view first, std::string_view second) {
  return KeyPath{std::string(first), std::string(second)};
}

}  // namespace

std::string Settings::ReadSetting(std::string_view configuration, std::string_view subsection,
                                  std::string_view name, std::string_view default_value) const {
  return AsText(store_.Read(Path(configuration, subsection), name), default_value);
}

std::int32_t Settings::ReadSettingNumber(std::string_view configuration,
                                         std::string_view subsection, std::string_view name,
                                         std::int32_t default_value) const {
  return AsNumber(store_.Read(Path(configuration, subsection), name), default_value);
}

bool Settings::WriteSetting(std::string_view configuration, std::string_view subsection,
                            std::string_view name, std::string_view value) const {
  return store_.Write(Path(configuration, subsection), name, StoredValue::Text(value));
}

bool Settings::WriteSettingNumber(std::string_view configuration, std::string_view subsection,
                                  std::string_view name, std::int32_t value) const {
  return store_.Write(Path(configuration, subsection), name, StoredValue::Number(value));
}

std::string Settings::ReadSetting(std::string_view subsection, std::string_view name,
                                  std::string_view default_value) const {
  return ReadSetting(CurrentConfiguration(), subsection, name, default_value);
}

std::int32_t Settings::ReadSettingNumber(std::string_view subsection, std::string_view name,
                                         std::int32_t default_value) const {
  return ReadSettingNumber(CurrentConfiguration(), subsection, name, default_value);
}

bool Settings::WriteSetting(std::string_view subsection, std::string_view name,
                            std::string_view value) const {
  return WriteSetting(CurrentConfiguration(), subsection, name, value);
}

bool Settings::WriteSettingNumber(std::string_view subsection, std::string_view name,
                                  std::int32_t value) const {
  return WriteSettingNumber(CurrentConfiguration(), subsection, name, value);
}

std::string Settings::ReadSectionValue(std::string_view section, std::string_view name,
                                       std::string_view default_value) const {
  return AsText(store_.Read(Path(section), name), default_value);
}

std::int32_t Settings::ReadSectionNumber(std::string_view section, std::string_view name,
                                         std::int32_t default_value) const {
  return AsNumber(store_.Read(Path(section), name), default_value);
}

bool Settings::WriteSectionValue(std::string_view section, std::string_view name,
                                 std::string_view value) const {
  return store_.Write(Path(section), name, StoredValue::Text(value));
}

bool Settings::WriteSectionNumber(std::string_view section, std::string_view name,
                                  std::int32_t value) const {
  return store_.Write(Path(section), name, StoredValue::Number(value));
}

std::string Settings::ReadSetting(std::string_view configuration, std::string_view subsection,
                                  std::string_view base, int index,
                                  std::string_view default_value) const {
  return ReadSetting(configuration, subsection, IndexedName(base, index), default_value);
}

bool Settings::WriteSetting(std::string_view configuration, std::string_view subsection,
                            std::string_view base, int index, std::string_view value) const {
  return WriteSetting(configuration, subsection, IndexedName(base, index), value);
}

std::string Settings::ReadSectionValue(std::string_view section, std::string_view base, int index,
                                       std::string_view default_value) const {
  return ReadSectionValue(section, IndexedName(base, index), default_value);
}

bool Settings::WriteSectionValue(std::string_view section, std::string_view base, int index,
                                 std::string_view value) const {
  return WriteSectionValue(section, IndexedName(base, index), value);
}

// An empty name addresses no key, so every setting would read its default and every
// write would fail; such a choice means "Default".
std::string Settings::CurrentConfiguration() const {
  if (chooser_) {
    if (std::optional<std::string> chosen = chooser_()) {
      return chosen->empty() ? std::string(kDefaultConfiguration) : *chosen;
    }
  }
  std::string last =
      ReadSectionValue(kConfigurationsSection, "Last Configuration", kDefaultConfiguration);
  return last.empty() ? std::string(kDefaultConfiguration) : last;
}

}  // namespace config
