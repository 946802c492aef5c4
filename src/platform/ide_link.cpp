#include "platform/ide_link.h"

#include <dirent.h>

#include <algorithm>
#include <charconv>

#include "config/settings.h"
#include "platform/runtime_dir.h"
#include "platform/unix_socket.h"

namespace platform {
namespace {

// The title and class buffers of the window search hold 23 characters and a zero.
constexpr std::size_t kWindowTextChars = 23;
constexpr std::string_view kIdeTitle = "Microsoft Visual C++";

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return upper;
}

// As the window's text lands in a zero-terminated buffer of 24 characters.
std::string CutWindowText(std::string text) {
  text.resize(std::min({text.size(), text.find('\0'), kWindowTextChars}));
  return text;
}

// One request on a fresh connection; the reply line, or "" when none is expected.
std::optional<std::string> Request(const std::string& socket_path, const std::string& line,
                                   bool expect_reply, int connect_ms, int reply_ms) {
  SocketFd fd = ConnectUnixSocket(socket_path, DeadlineAfter(connect_ms));
  if (!fd.valid() || !SendAll(fd.get(), line + "\n", DeadlineAfter(connect_ms))) {
    return std::nullopt;
  }
  if (!expect_reply) return std::string();
  SocketReader reader(fd.get());
  return reader.ReadLine(DeadlineAfter(reply_ms));
}

std::string MessageLine(std::string_view verb, std::uint32_t message, std::uint32_t wparam,
                        std::uint32_t lparam) {
  return std::string(verb) + " " + std::to_string(message) + " " + std::to_string(wparam) + " " +
         std::to_string(lparam);
}

}  // namespace

SocketWindowSystem::SocketWindowSystem() : SocketWindowSystem(DesktopDirectoryPath()) {}

SocketWindowSystem::SocketWindowSystem(std::string desktop_directory, SocketTimeouts timeouts)
    : desktop_(std::move(desktop_directory)), timeouts_(timeouts) {}

std::vector<Window> SocketWindowSystem::EnumerateWindows() {
  std::string directory = desktop_ + "/windows";
  DIR* dir = opendir(directory.c_str());
  if (!dir) return {};
  // Stamps compare as numbers of any length: longer (without leading zeros) is larger.
  std::vector<std::pair<std::string, std::string>> found;  // (stamp, path)
  while (dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (!name.ends_with(".sock")) continue;
    std::string_view stamp = name.substr(0, name.size() - 5);
    if (stamp.empty() ||
        !std::all_of(stamp.begin(), stamp.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      continue;
    }
    std::size_t digits = stamp.find_first_not_of('0');
    stamp = digits == std::string_view::npos ? "0" : stamp.substr(digits);
    found.emplace_back(std::string(stamp), directory + "/" + std::string(name));
  }
  closedir(dir);
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.first.size() != b.first.size()) return a.first.size() > b.first.size();
    if (a.first != b.first) return a.first > b.first;
    return a.second < b.second;
  });
  std::vector<Window> windows;
  for (auto& [stamp, path] : found) windows.push_back({std::move(path)});
  return windows;
}

std::optional<std::string> SocketWindowSystem::WindowText(const Window& window) {
  return Request(window.socket_path, "GETTEXT", true, timeouts_.connect_ms, timeouts_.query_ms);
}

std::optional<std::string> SocketWindowSystem::ClassName(const Window& window) {
  return Request(window.socket_path, "GETCLASS", true, timeouts_.connect_ms, timeouts_.query_ms);
}

std::optional<std::uint32_t> SocketWindowSystem::Send(const Window& window, std::uint32_t message,
                                                      std::uint32_t wparam, std::uint32_t lparam) {
  std::optional<std::string> reply =
      Request(window.socket_path, MessageLine("SEND", message, wparam, lparam), true,
              timeouts_.connect_ms, timeouts_.send_ms);
  if (!reply) return std::nullopt;
  std::uint32_t result = 0;
  auto [ptr, error] = std::from_chars(reply->data(), reply->data() + reply->size(), result);
  if (error != std::errc() || ptr != reply->data() + reply->size()) return std::nullopt;
  return result;
}

bool SocketWindowSystem::Post(const Window& window, std::uint32_t message, std::uint32_t wparam,
                              std::uint32_t lparam) {
  return Request(window.socket_path, MessageLine("POST", message, wparam, lparam), false,
                 timeouts_.connect_ms, 0)
      .has_value();
}

SocketDdeClient::SocketDdeClient() : SocketDdeClient(DesktopDirectoryPath()) {}

SocketDdeClient::SocketDdeClient(std::string desktop_directory, int timeout_ms)
    : desktop_(std::move(desktop_directory)), timeout_ms_(timeout_ms) {}

bool SocketDdeClient::Execute(std::string_view service, std::string_view topic,
                              std::string_view data) {
  auto report = [&](std::string_view label) {
    if (diagnostic_) diagnostic_(label);
    return false;
  };
  std::string path = desktop_ + "/dde/" + UpperCase(service) + "." + UpperCase(topic) + ".sock";
  Deadline deadline = DeadlineAfter(timeout_ms_);
  SocketFd fd = ConnectUnixSocket(path, deadline);
  if (!fd.valid()) return report("DDE Connect");
  std::string request = "EXECUTE " + std::to_string(data.size()) + "\n";
  request.append(data);
  if (!SendAll(fd.get(), request, deadline)) return report("DDE Request");
  SocketReader reader(fd.get());
  std::optional<std::string> reply = reader.ReadLine(deadline, 16);
  if (!reply || *reply != "ACK") return report("DDE Request");
  return true;
}

std::optional<Window> FindIdeWindow(WindowSystem& windows, int* indicator) {
  for (const Window& window : windows.EnumerateWindows()) {
    std::optional<std::string> title = windows.WindowText(window);
    if (!title || !CutWindowText(std::move(*title)).starts_with(kIdeTitle)) continue;
    if (indicator) {
      std::string class_name = CutWindowText(windows.ClassName(window).value_or(""));
      if (class_name.starts_with("Afx:")) {
        *indicator = kIdeNewerGeneration;
      } else if (class_name == "MSVCMainWindow") {
        *indicator = kIdeOlderGeneration;
      }
    }
    return window;
  }
  return std::nullopt;
}

std::string OpenCommandText(std::string_view path) {
  return "OPEN (\"" + std::string(path) + "\")";
}

bool OpenFileInIde(DdeClient& dde, std::string_view path) {
  if (path.empty()) return false;
  return dde.Execute("MSVC", "SYSTEM", OpenCommandText(path));
}

std::optional<Window> DesktopIdeLink::CommandTarget(int& indicator) {
  indicator = 0;
  std::optional<Window> window = FindIdeWindow(windows_, &indicator);
  std::int32_t auto_paste =
      settings_ ? settings_->ReadSettingNumber("Defaults", "Auto Paste", 1) : 1;
  if (!window || auto_paste == 0) return std::nullopt;
  return window;
}

void DesktopIdeLink::CopySelection() {
  int indicator = 0;
  if (auto window = CommandTarget(indicator)) {
    windows_.Send(*window, kWmCommand, indicator == kIdeOlderGeneration ? kOlderCopy : kNewerCopy,
                  0);
  }
}

void DesktopIdeLink::PasteResult() {
  int indicator = 0;
  if (auto window = CommandTarget(indicator)) {
    windows_.Post(*window, kWmCommand, indicator == kIdeOlderGeneration ? kOlderPaste : kNewerPaste,
                  0);
  }
}

void DesktopIdeLink::PositionForPaste(int kind) {
  int indicator = 0;
  std::optional<Window> window = CommandTarget(indicator);
  if (!window || indicator == kIdeOlderGeneration || (kind != 0 && kind != 1)) return;
  windows_.Send(*window, kWmCommand,
                kind == 0 ? kPositionForModuleHeader : kPositionForColumnInsert, 0);
}

bool DesktopIdeLink::OpenFileInIde(std::string_view path) {
  return platform::OpenFileInIde(dde_, path);
}

}  // namespace platform
