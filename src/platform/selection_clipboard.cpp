#include "platform/selection_clipboard.h"

#include <strings.h>

#include <algorithm>

#include "platform/line_ends.h"

namespace platform {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool Contains(const std::vector<std::string>& list, std::string_view item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

const std::vector<std::string>& TextTargets() {
  static const std::vector<std::string> targets{"UTF8_STRING", "text/plain;charset=utf-8", "STRING",
                                                "TEXT"};
  return targets;
}

std::vector<std::string> TargetsOfFormat(std::string_view name) {
  if (SameName(name, kTextFormatName)) return TextTargets();
  if (SameName(name, "Rich Text Format")) return {"text/rtf"};
  if (SameName(name, "Quorvan Format")) return {"application/x-quorvan-processed"};
  if (SameName(name, "MSVCColumnSelect")) return {"application/x-column-selection"};
  return {std::string(name)};
}

SelectionClipboard::SelectionClipboard(std::shared_ptr<SelectionTransport> transport,
                                       bool desktop_line_ends)
    : transport_(std::move(transport)), desktop_line_ends_(desktop_line_ends) {}

Clipboard::Format SelectionClipboard::RegisterFormat(std::string_view name) {
  return formats_.Register(name);
}

std::string SelectionClipboard::NameOf(Format format) const {
  return format == kText ? std::string(kTextFormatName) : formats_.NameOf(format);
}

const std::vector<std::string>& SelectionClipboard::OfferedTargets() {
  if (!offered_) offered_ = transport_->Targets().value_or(std::vector<std::string>{});
  return *offered_;
}

bool SelectionClipboard::IsFormatAvailable(Format format) {
  std::string name = NameOf(format);
  if (name.empty()) return false;
  if (!open_) offered_.reset();
  const std::vector<std::string>& offered = OfferedTargets();
  std::vector<std::string> targets = TargetsOfFormat(name);
  bool available = std::any_of(targets.begin(), targets.end(),
                               [&](const std::string& t) { return Contains(offered, t); });
  if (!open_) offered_.reset();
  return available;
}

bool SelectionClipboard::Open() {
  if (open_) return false;
  open_ = true;
  offered_.reset();
  pending_.clear();
  changed_ = false;
  return true;
}

std::optional<std::string> SelectionClipboard::GetData(Format format) {
  if (!open_) return std::nullopt;
  std::string name = NameOf(format);
  if (name.empty()) return std::nullopt;
  if (changed_) {
    for (const auto& [set_name, bytes] : pending_) {
      if (SameName(set_name, name)) return bytes;
    }
    return std::nullopt;
  }
  const std::vector<std::string>& offered = OfferedTargets();
  for (const std::string& target : TargetsOfFormat(name)) {
    if (!Contains(offered, target)) continue;
    std::optional<std::string> bytes = transport_->Read(target);
    if (!bytes) continue;
    if (format == kText && UsesCrLf(*bytes)) read_crlf_ = true;
    return bytes;
  }
  return std::nullopt;
}

bool SelectionClipboard::Empty() {
  if (!open_) return false;
  pending_.clear();
  changed_ = true;
  return true;
}

bool SelectionClipboard::SetData(Format format, std::string bytes) {
  if (!open_) return false;
  std::string name = NameOf(format);
  if (name.empty()) return false;
  if (format == kText && desktop_line_ends_) bytes = ToDesktopLineEnds(bytes, read_crlf_);
  changed_ = true;
  for (auto& [set_name, set_bytes] : pending_) {
    if (SameName(set_name, name)) {
      set_bytes = std::move(bytes);
      return true;
    }
  }
  pending_.emplace_back(std::move(name), std::move(bytes));
  return true;
}

bool SelectionClipboard::Close() {
  if (!open_) return false;
  open_ = false;
  offered_.reset();
  if (!changed_) return true;
  changed_ = false;
  std::vector<SelectionOffer> offers;
  for (auto& [name, bytes] : pending_) offers.push_back({TargetsOfFormat(name), std::move(bytes)});
  pending_.clear();
  // An emptied clipboard with nothing set leaves the desktop's clipboard as it is:
  // only its owner could clear it.
  if (offers.empty()) return true;
  return transport_->Publish(offers);
}

}  // namespace platform
