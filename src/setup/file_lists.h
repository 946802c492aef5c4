// The files of the installation, each list in the order it is copied. Every file
// lies beside setup on the installation medium.
#pragma once

#include <span>
#include <string_view>

namespace setup {

// Into the destination itself; always replaced. Programs keep their execute bits.
std::span<const std::string_view> ProgramFiles();
// Into destination/Template/; an existing one is replaced only on request, since
// users edit their control files and class templates.
std::span<const std::string_view> TemplateFiles();
// Into destination/Resource/; always replaced.
std::span<const std::string_view> ResourceFiles();

inline constexpr std::string_view kTemplateDirectory = "Template/";
inline constexpr std::string_view kResourceDirectory = "Resource/";
inline constexpr std::string_view kReadmeFile = "README.TXT";

}  // namespace setup
