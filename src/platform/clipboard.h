// The clipboard: named formats holding bytes, opened for one exchange at a time.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// Name of the standard text format in the store; its bytes exclude the terminating
// zero.
inline constexpr std::string_view kTextFormatName = "CF_TEXT";

class Clipboard {
 public:
  using Format = std::uint32_t;
  static constexpr Format kText = 1;
  static constexpr Format kFirstRegistered = 0xC000;

  virtual ~Clipboard() = default;

  // The same name (any case) always gives the same number; "CF_TEXT" gives kText.
  // 0 for an empty name or one holding a line feed.
  virtual Format RegisterFormat(std::string_view name) = 0;
  // Needs no Open.
  virtual bool IsFormatAvailable(Format format) = 0;

  // Open fails when another process holds the clipboard for too long. The calls
  // below fail unless the clipboard is open.
  virtual bool Open() = 0;
  virtual std::optional<std::string> GetData(Format format) = 0;
  virtual bool Empty() = 0;
  // Replaces the data of `format`, or adds it after the formats already set.
  virtual bool SetData(Format format, std::string bytes) = 0;
  // Makes the changes since Open visible to others; false when they could not be
  // stored (then the clipboard keeps what it had before Open).
  virtual bool Close() = 0;
};

// Keeps formats by name and hands out numbers in registration order, as both stores
// below do.
class FormatRegistry {
 public:
  Clipboard::Format Register(std::string_view name);
  // Empty for a number never handed out.
  std::string NameOf(Clipboard::Format format) const;

 private:
  std::vector<std::string> names_;  // names_[i] has number kFirstRegistered + i
};

// Formats in the order they were set; each name at most once.
using ClipboardContents = std::vector<std::pair<std::string, std::string>>;

// The store file's text for `contents`.
std::string SerializeClipboard(const ClipboardContents& contents);
// nullopt when `bytes` does not parse; an empty text is an empty clipboard.
std::optional<ClipboardContents> ParseClipboard(std::string_view bytes);

// The store shared by every program of the user: `directory`/clipboard, locked
// through `directory`/clipboard.lock for the time between Open and Close.
class FileClipboard : public Clipboard {
 public:
  // The default directory is RuntimeDirectoryPath().
  FileClipboard();
  explicit FileClipboard(std::string directory);
  ~FileClipboard() override;  // closes (and stores) when still open
  FileClipboard(const FileClipboard&) = delete;
  FileClipboard& operator=(const FileClipboard&) = delete;

  Format RegisterFormat(std::string_view name) override;
  bool IsFormatAvailable(Format format) override;
  bool Open() override;
  std::optional<std::string> GetData(Format format) override;
  bool Empty() override;
  bool SetData(Format format, std::string bytes) override;
  bool Close() override;

  std::string StorePath() const { return directory_ + "/clipboard"; }
  // How long Open waits for another holder of the lock.
  void SetOpenTimeoutMs(int ms) { open_timeout_ms_ = ms; }

 private:
  ClipboardContents ReadStore() const;

  std::string directory_;
  FormatRegistry formats_;
  int lock_fd_ = -1;
  int open_timeout_ms_ = 1000;
  ClipboardContents contents_;  // while open
  bool changed_ = false;
};

// A clipboard in memory with the same format rules: the clipboard of filter mode,
// which holds the standard input, and of tests. Records the order in which formats
// were set and can refuse to open.
class MemoryClipboard : public Clipboard {
 public:
  Format RegisterFormat(std::string_view name) override;
  bool IsFormatAvailable(Format format) override;
  bool Open() override;
  std::optional<std::string> GetData(Format format) override;
  bool Empty() override;
  bool SetData(Format format, std::string bytes) override;
  bool Close() override;

  // Direct access by format name, without Open.
  void Put(std::string_view name, std::string bytes);
  std::optional<std::string> Get(std::string_view name) const;
  const ClipboardContents& contents() const { return contents_; }

  bool is_open() const { return open_; }
  int opens = 0;
  bool refuse_open = false;

 private:
  FormatRegistry formats_;
  ClipboardContents contents_;
  bool open_ = false;
};

}  // namespace platform
