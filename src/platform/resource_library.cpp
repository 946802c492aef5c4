#include "platform/resource_library.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {
namespace {

// The file starts with the signature and five (format 3) or four big-endian 32-bit
// words: version, tree offset, data offset, names offset and, from format 3 on, flags.
constexpr char kSignature[4] = {'q', 'r', 'e', 's'};
constexpr int kOldestVersion = 1;
constexpr int kNewestVersion = 3;

// A tree node: name offset (4), flags (2), then a directory's child count and first
// child index (4 + 4) or a file's territory, language and data offset (2 + 2 + 4);
// from format 2 on, an 8-byte modification time follows.
constexpr std::uint32_t kNodeSizeV1 = 14;
constexpr std::uint32_t kNodeSizeV2 = 22;

std::uint16_t Be16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

std::uint32_t Be32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// UTF-8 to UTF-16; nullopt for malformed input (overlong forms, surrogates and
// values beyond U+10FFFF included).
std::optional<std::u16string> Utf16(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || i + length > text.size()) return std::nullopt;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = code << 6 | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return std::nullopt;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

}  // namespace

std::optional<ResourceLibrary> ResourceLibrary::Open(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::nullopt;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  ResourceLibrary library(fd, static_cast<std::uint64_t>(st.st_size));

  unsigned char header[24];
  if (!library.ReadAt(0, header, 20)) return std::nullopt;
  for (int i = 0; i < 4; ++i) {
    if (header[i] != static_cast<unsigned char>(kSignature[i])) return std::nullopt;
  }
  std::uint32_t version = Be32(header + 4);
  if (version < kOldestVersion || version > kNewestVersion) return std::nullopt;
  library.version_ = static_cast<int>(version);
  library.tree_offset_ = Be32(header + 8);
  library.names_offset_ = Be32(header + 16);
  library.node_size_ = version == 1 ? kNodeSizeV1 : kNodeSizeV2;
  if (library.tree_offset_ >= library.size_ || library.names_offset_ > library.size_) {
    return std::nullopt;
  }
  std::uint64_t nodes = (library.size_ - library.tree_offset_) / library.node_size_;
  library.node_count_ = static_cast<std::uint32_t>(nodes > UINT32_MAX ? UINT32_MAX : nodes);
  std::optional<Node> root = library.ReadNode(0);
  if (!root || !root->is_directory()) return std::nullopt;
  return library;
}

ResourceLibrary::ResourceLibrary(ResourceLibrary&& other) noexcept { *this = std::move(other); }

ResourceLibrary& ResourceLibrary::operator=(ResourceLibrary&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
    version_ = other.version_;
    tree_offset_ = other.tree_offset_;
    names_offset_ = other.names_offset_;
    node_size_ = other.node_size_;
    node_count_ = other.node_count_;
  }
  return *this;
}

ResourceLibrary::~ResourceLibrary() {
  if (fd_ >= 0) close(fd_);
}

bool ResourceLibrary::ReadAt(std::uint64_t offset, void* out, std::size_t count) const {
  if (offset > size_ || count > size_ - offset) return false;
  auto* bytes = static_cast<unsigned char*>(out);
  while (count > 0) {
    ssize_t n = pread(fd_, bytes, count, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    offset += static_cast<std::uint64_t>(n);
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<ResourceLibrary::Node> ResourceLibrary::ReadNode(std::uint32_t index) const {
  if (index >= node_count_) return std::nullopt;
  unsigned char raw[kNodeSizeV1];
  if (!ReadAt(tree_offset_ + std::uint64_t{index} * node_size_, raw, sizeof raw)) {
    return std::nullopt;
  }
  Node node;
  node.name_offset = Be32(raw);
  node.flags = Be16(raw + 4);
  if (node.is_directory()) {
    node.child_count = Be32(raw + 6);
    node.first_child = Be32(raw + 10);
  }
  return node;
}

bool ResourceLibrary::NameEquals(std::uint32_t name_offset, const std::u16string& name) const {
  // A name: its length in UTF-16 units (2), its hash (4), then the units, big-endian.
  const std::uint64_t start = std::uint64_t{names_offset_} + name_offset;
  unsigned char length_bytes[2];
  if (!ReadAt(start, length_bytes, 2) || Be16(length_bytes) != name.size()) return false;
  std::string units(name.size() * 2, '\0');
  if (!ReadAt(start + 6, units.data(), units.size())) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (Be16(reinterpret_cast<const unsigned char*>(units.data()) + 2 * i) != name[i]) {
      return false;
    }
  }
  return true;
}

bool ResourceLibrary::Contains(std::string_view resource_path) const {
  std::optional<Node> node = ReadNode(0);
  bool any_component = false;
  while (node && !resource_path.empty()) {
    std::size_t slash = resource_path.find('/');
    std::string_view component = resource_path.substr(0, slash);
    resource_path =
        slash == std::string_view::npos ? std::string_view() : resource_path.substr(slash + 1);
    if (component.empty()) continue;
    any_component = true;
    std::optional<std::u16string> name = Utf16(component);
    if (!name || !node->is_directory()) return false;
    // Children are sorted by a hash of their names; a linear scan over a bounded
    // range needs no hash and cannot run away on a damaged count.
    std::optional<Node> found;
    const std::uint64_t end = std::uint64_t{node->first_child} + node->child_count;
    for (std::uint64_t i = node->first_child; i < end && i < node_count_ && !found; ++i) {
      std::optional<Node> child = ReadNode(static_cast<std::uint32_t>(i));
      if (!child) break;
      if (NameEquals(child->name_offset, *name)) found = child;
    }
    node = found;
  }
  return node && any_component && !node->is_directory();
}

}  // namespace platform
