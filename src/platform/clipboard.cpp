#include "platform/clipboard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/runtime_dir.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "BRACKWATER-CLIPBOARD 1\n";

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

ClipboardContents::iterator FindFormat(ClipboardContents& contents, std::string_view name) {
  return std::find_if(contents.begin(), contents.end(),
                      [&](const auto& entry) { return SameName(entry.first, name); });
}

ClipboardContents::const_iterator FindFormat(const ClipboardContents& contents,
                                             std::string_view name) {
  return std::find_if(contents.begin(), contents.end(),
                      [&](const auto& entry) { return SameName(entry.first, name); });
}

void SetFormat(ClipboardContents& contents, std::string_view name, std::string bytes) {
  auto it = FindFormat(contents, name);
  if (it != contents.end()) {
    it->second = std::move(bytes);
  } else {
    contents.emplace_back(std::string(name), std::move(bytes));
  }
}

// The store file as pieces rather than one joined text, so that a large clipboard is
// not copied twice on its way to the file. `counts` keeps the byte-count texts alive.
std::vector<std::string_view> StorePieces(const ClipboardContents& contents,
                                          std::vector<std::string>& counts) {
  counts.clear();
  counts.reserve(contents.size());
  for (const auto& entry : contents) counts.push_back(std::to_string(entry.second.size()));
  std::vector<std::string_view> pieces{kHeader};
  for (std::size_t i = 0; i < contents.size(); ++i) {
    pieces.insert(pieces.end(),
                  {contents[i].first, "\n", counts[i], "\n", contents[i].second, "\n"});
  }
  return pieces;
}

}  // namespace

Clipboard::Format FormatRegistry::Register(std::string_view name) {
  // A line feed would break the store file's name lines.
  if (name.empty() || name.find('\n') != std::string_view::npos) return 0;
  if (SameName(name, kTextFormatName)) return Clipboard::kText;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (SameName(names_[i], name)) return Clipboard::kFirstRegistered + i;
  }
  names_.emplace_back(name);
  return Clipboard::kFirstRegistered + (names_.size() - 1);
}

std::string FormatRegistry::NameOf(Clipboard::Format format) const {
  if (format == Clipboard::kText) return std::string(kTextFormatName);
  if (format < Clipboard::kFirstRegistered) return {};
  std::size_t index = format - Clipboard::kFirstRegistered;
  return index < names_.size() ? names_[index] : std::string();
}

std::string SerializeClipboard(const ClipboardContents& contents) {
  std::vector<std::string> counts;
  std::string out;
  for (std::string_view piece : StorePieces(contents, counts)) out += piece;
  return out;
}

std::optional<ClipboardContents> ParseClipboard(std::string_view bytes) {
  ClipboardContents contents;
  if (bytes.empty()) return contents;
  if (!bytes.starts_with(kHeader)) return std::nullopt;
  bytes.remove_prefix(kHeader.size());
  while (!bytes.empty()) {
    std::size_t name_end = bytes.find('\n');
    if (name_end == 0 || name_end == std::string_view::npos) return std::nullopt;
    std::string_view name = bytes.substr(0, name_end);
    bytes.remove_prefix(name_end + 1);

    std::size_t count_end = bytes.find('\n');
    if (count_end == 0 || count_end == std::string_view::npos || count_end > 19) {
      return std::nullopt;
    }
    std::uint64_t count = 0;
    const char* first = bytes.data();
    const char* last = first + count_end;
    auto [ptr, error] = std::from_chars(first, last, count);
    if (error != std::errc() || ptr != last) return std::nullopt;
    bytes.remove_prefix(count_end + 1);

    if (count >= bytes.size() || bytes[count] != '\n') return std::nullopt;
    if (FindFormat(contents, name) != contents.end()) return std::nullopt;
    contents.emplace_back(std::string(name), std::string(bytes.substr(0, count)));
    bytes.remove_prefix(count + 1);
  }
  return contents;
}

FileClipboard::FileClipboard() : FileClipboard(RuntimeDirectoryPath()) {}

FileClipboard::FileClipboard(std::string directory) : directory_(std::move(directory)) {}

FileClipboard::~FileClipboard() {
  if (lock_fd_ >= 0) Close();
}

Clipboard::Format FileClipboard::RegisterFormat(std::string_view name) {
  return formats_.Register(name);
}

ClipboardContents FileClipboard::ReadStore() const {
  FileContents file = ReadWholeFile(StorePath());
  if (file.status != FileContents::Status::kRead) return {};
  std::optional<ClipboardContents> parsed = ParseClipboard(file.bytes);
  return parsed ? std::move(*parsed) : ClipboardContents();
}

bool FileClipboard::IsFormatAvailable(Format format) {
  std::string name = formats_.NameOf(format);
  if (name.empty()) return false;
  if (lock_fd_ >= 0) return FindFormat(contents_, name) != contents_.end();
  ClipboardContents contents = ReadStore();
  return FindFormat(contents, name) != contents.end();
}

bool FileClipboard::Open() {
  if (lock_fd_ >= 0) return false;
  if (!MakePrivateDirectory(directory_)) return false;
  std::string lock_path = directory_ + "/clipboard.lock";
  int fd = open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(open_timeout_ms_);
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) break;
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      close(fd);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  lock_fd_ = fd;
  contents_ = ReadStore();
  changed_ = false;
  return true;
}

std::optional<std::string> FileClipboard::GetData(Format format) {
  if (lock_fd_ < 0) return std::nullopt;
  auto it = FindFormat(contents_, formats_.NameOf(format));
  if (it == contents_.end()) return std::nullopt;
  return it->second;
}

bool FileClipboard::Empty() {
  if (lock_fd_ < 0) return false;
  contents_.clear();
  changed_ = true;
  return true;
}

bool FileClipboard::SetData(Format format, std::string bytes) {
  std::string name = formats_.NameOf(format);
  if (lock_fd_ < 0 || name.empty()) return false;
  SetFormat(contents_, name, std::move(bytes));
  changed_ = true;
  return true;
}

bool FileClipboard::Close() {
  if (lock_fd_ < 0) return false;
  bool stored = true;
  if (changed_) {
    std::vector<std::string> counts;
    // Atomic but not durable: a clipboard need not survive a crash. Every writer
    // holds clipboard.lock, so leftovers of killed writers can go.
    stored = ReplaceFileAtomically(StorePath(), StorePieces(contents_, counts),
                                   ReplaceOptions{.durable = false, .writers_locked = true});
  }
  contents_.clear();
  changed_ = false;
  close(lock_fd_);  // releases the lock
  lock_fd_ = -1;
  return stored;
}

Clipboard::Format MemoryClipboard::RegisterFormat(std::string_view name) {
  return formats_.Register(name);
}

bool MemoryClipboard::IsFormatAvailable(Format format) {
  std::string name = formats_.NameOf(format);
  return !name.empty() && FindFormat(contents_, name) != contents_.end();
}

bool MemoryClipboard::Open() {
  if (open_ || refuse_open) return false;
  open_ = true;
  ++opens;
  return true;
}

std::optional<std::string> MemoryClipboard::GetData(Format format) {
  if (!open_) return std::nullopt;
  return Get(formats_.NameOf(format));
}

bool MemoryClipboard::Empty() {
  if (!open_) return false;
  contents_.clear();
  return true;
}

bool MemoryClipboard::SetData(Format format, std::string bytes) {
  std::string name = formats_.NameOf(format);
  if (!open_ || name.empty()) return false;
  SetFormat(contents_, name, std::move(bytes));
  return true;
}

bool MemoryClipboard::Close() {
  if (!open_) return false;
  open_ = false;
  return true;
}

void MemoryClipboard::Put(std::string_view name, std::string bytes) {
  SetFormat(contents_, name, std::move(bytes));
}

std::optional<std::string> MemoryClipboard::Get(std::string_view name) const {
  auto it = FindFormat(contents_, name);
  if (it == contents_.end() || name.empty()) return std::nullopt;
  return it->second;
}

}  // namespace platform
