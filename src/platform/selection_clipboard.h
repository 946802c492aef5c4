// The desktop's clipboard (an X11 selection, the Wayland clipboard) behind the
// Clipboard interface. Formats become targets (MIME types or X atom names); the text
// format is offered and read as several text targets with the bytes unchanged.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"

namespace platform {

// One piece of data offered under several target names.
struct SelectionOffer {
  std::vector<std::string> targets;
  std::string bytes;
  bool operator==(const SelectionOffer&) const = default;
};

// How the desktop's clipboard is reached. Every call has a time limit.
class SelectionTransport {
 public:
  virtual ~SelectionTransport() = default;
  // The targets offered now; nullopt when nobody owns the clipboard or the owner does
  // not answer.
  virtual std::optional<std::vector<std::string>> Targets() = 0;
  // The data of one target; nullopt when the owner refuses or does not answer.
  virtual std::optional<std::string> Read(std::string_view target) = 0;
  // Makes `offers` the clipboard; true once others can read them.
  virtual bool Publish(const std::vector<SelectionOffer>& offers) = 0;
};

// The text targets in the order they are read.
const std::vector<std::string>& TextTargets();
// The targets of a clipboard format name: TextTargets() for "CF_TEXT", "text/rtf" for
// "Rich Text Format", the marker targets for the processed and column markers, the
// name itself for any other.
std::vector<std::string> TargetsOfFormat(std::string_view name);

class SelectionClipboard : public Clipboard {
 public:
  // With `desktop_line_ends`, text written has each CR LF turned into LF unless the
  // text read before through this clipboard used CR LF (ToDesktopLineEnds).
  SelectionClipboard(std::shared_ptr<SelectionTransport> transport, bool desktop_line_ends);

  Format RegisterFormat(std::string_view name) override;
  bool IsFormatAvailable(Format format) override;
  bool Open() override;
  std::optional<std::string> GetData(Format format) override;
  bool Empty() override;
  bool SetData(Format format, std::string bytes) override;
  bool Close() override;

  SelectionTransport& transport() { return *transport_; }

 private:
  std::string NameOf(Format format) const;
  const std::vector<std::string>& OfferedTargets();

  std::shared_ptr<SelectionTransport> transport_;
  bool desktop_line_ends_;
  FormatRegistry formats_;
  bool open_ = false;
  bool read_crlf_ = false;
  std::optional<std::vector<std::string>> offered_;  // read once per Open
  // What Close publishes; formats in the order set.
  ClipboardContents pending_;
  bool changed_ = false;
};

}  // namespace platform
