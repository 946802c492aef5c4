// The template resource library on disk: a binary resource file as the resource
// compiler writes it ("rcc --binary"), read far enough to tell whether a file is one
// and whether it holds a file under a given resource path. Payloads are never read,
// so compressed entries need no decompression.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class ResourceLibrary {
 public:
  // The library at `path`; nullopt when the file cannot be opened or is not a
  // resource library (wrong signature, unknown format version, offsets outside the
  // file, or a root that is not a directory).
  static std::optional<ResourceLibrary> Open(const std::string& path);

  ResourceLibrary(ResourceLibrary&& other) noexcept;
  ResourceLibrary& operator=(ResourceLibrary&& other) noexcept;
  ResourceLibrary(const ResourceLibrary&) = delete;
  ResourceLibrary& operator=(const ResourceLibrary&) = delete;
  ~ResourceLibrary();

  // Whether a file (not a directory) sits at `resource_path`, such as
  // "/dialogs/7001.ui". Names compare exactly; empty components are skipped. False
  // for a path that is not UTF-8 and for any part of the tree that lies outside the
  // file.
  bool Contains(std::string_view resource_path) const;

  int format_version() const { return version_; }

 private:
  struct Node {
    std::uint32_t name_offset = 0;
    std::uint16_t flags = 0;
    std::uint32_t child_count = 0;
    std::uint32_t first_child = 0;
    bool is_directory() const { return (flags & 0x02) != 0; }
  };

  ResourceLibrary(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  bool ReadAt(std::uint64_t offset, void* out, std::size_t count) const;
  std::optional<Node> ReadNode(std::uint32_t index) const;
  bool NameEquals(std::uint32_t name_offset, const std::u16string& name) const;

  int fd_ = -1;
  std::uint64_t size_ = 0;
  int version_ = 0;
  std::uint32_t tree_offset_ = 0;
  std::uint32_t names_offset_ = 0;
  std::uint32_t node_size_ = 0;
  std::uint32_t node_count_ = 0;  // how many nodes fit between the tree and the end
};

}  // namespace platform
