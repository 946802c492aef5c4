// The link to the IDE: finding its main window among the user's top-level windows,
// the menu commands sent to it, and the DDE request that opens a file in it.
//
// Windows are programs listening on Unix stream sockets D/windows/<stamp>.sock of the
// desktop directory D (DesktopDirectoryPath()), front to back by decreasing stamp. A
// DDE server for service S and topic T listens on D/dde/S.T.sock (names in upper
// case). One connection carries one request line and at most one reply line.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {
class Settings;
}

namespace platform {

inline constexpr std::uint32_t kWmCommand = 273;

// IDE generation indicators; callers compare with kIdeOlderGeneration only.
inline constexpr int kIdeOlderGeneration = 15;  // class exactly "MSVCMainWindow"
inline constexpr int kIdeNewerGeneration = 20;  // class beginning "Afx:"

// Command numbers (the first parameter of WM_COMMAND).
inline constexpr std::uint32_t kOlderCopy = 204;
inline constexpr std::uint32_t kOlderPaste = 205;
inline constexpr std::uint32_t kNewerCopy = 57634;
inline constexpr std::uint32_t kNewerPaste = 57637;
inline constexpr std::uint32_t kPositionForModuleHeader = 91065;  // kind 0
inline constexpr std::uint32_t kPositionForColumnInsert = 91062;  // kind 1

struct Window {
  std::string socket_path;
  bool operator==(const Window&) const = default;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Top-level windows, front to back.
  virtual std::vector<Window> EnumerateWindows() = 0;
  // nullopt when the window does not answer.
  virtual std::optional<std::string> WindowText(const Window& window) = 0;
  virtual std::optional<std::string> ClassName(const Window& window) = 0;
  // Delivers the message and waits until the window has handled it; its result, or
  // nullopt when it could not be delivered or was not answered in time.
  virtual std::optional<std::uint32_t> Send(const Window& window, std::uint32_t message,
                                            std::uint32_t wparam, std::uint32_t lparam) = 0;
  // Delivers the message without waiting for it to be handled.
  virtual bool Post(const Window& window, std::uint32_t message, std::uint32_t wparam,
                    std::uint32_t lparam) = 0;
};

// Every socket operation has a time limit, so a window that hangs cannot hang us.
struct SocketTimeouts {
  int connect_ms = 1000;
  int query_ms = 2000;  // GETTEXT, GETCLASS
  int send_ms = 10000;  // the window's handling of a sent message
};

class SocketWindowSystem : public WindowSystem {
 public:
  SocketWindowSystem();  // the desktop is DesktopDirectoryPath()
  explicit SocketWindowSystem(std::string desktop_directory, SocketTimeouts timeouts = {});

  std::vector<Window> EnumerateWindows() override;
  std::optional<std::string> WindowText(const Window& window) override;
  std::optional<std::string> ClassName(const Window& window) override;
  std::optional<std::uint32_t> Send(const Window& window, std::uint32_t message,
                                    std::uint32_t wparam, std::uint32_t lparam) override;
  bool Post(const Window& window, std::uint32_t message, std::uint32_t wparam,
            std::uint32_t lparam) override;

 private:
  std::string desktop_;
  SocketTimeouts timeouts_;
};

class DdeClient {
 public:
  virtual ~DdeClient() = default;
  // One execute transaction with `data` in a conversation on service and topic;
  // true when the server acknowledged it.
  virtual bool Execute(std::string_view service, std::string_view topic, std::string_view data) = 0;
};

class SocketDdeClient : public DdeClient {
 public:
  SocketDdeClient();  // the desktop is DesktopDirectoryPath()
  explicit SocketDdeClient(std::string desktop_directory, int timeout_ms = 1000);

  // Waits at most the timeout for "ACK" or "NACK". Failures are reported only to the
  // diagnostic hook ("DDE Connect", "DDE Request"), never to the user.
  bool Execute(std::string_view service, std::string_view topic, std::string_view data) override;

  void SetDiagnosticHook(std::function<void(std::string_view label)> hook) {
    diagnostic_ = std::move(hook);
  }

 private:
  std::string desktop_;
  int timeout_ms_;
  std::function<void(std::string_view)> diagnostic_;
};

// The frontmost window whose title (read as at most 23 characters) begins with
// "Microsoft Visual C++". When `indicator` is given, it is set to 20 for a class
// (read as at most 23 characters) beginning "Afx:" and to 15 for the class
// "MSVCMainWindow"; otherwise it keeps the value the caller gave it.
std::optional<Window> FindIdeWindow(WindowSystem& windows, int* indicator);

// The DDE data that asks the IDE to open `path`: OPEN ("<path>"), the path unchanged.
std::string OpenCommandText(std::string_view path);

// Asks the IDE (service "MSVC", topic "SYSTEM") to open `path`; false for an empty
// path (without any DDE traffic) or when the IDE does not accept.
bool OpenFileInIde(DdeClient& dde, std::string_view path);

// The requests the actions make of the IDE.
class IdeLink {
 public:
  virtual ~IdeLink() = default;
  // Asks the IDE to copy its selection to the clipboard and waits until it has.
  virtual void CopySelection() = 0;
  // Asks the IDE to paste the clipboard at its cursor, without waiting.
  virtual void PasteResult() = 0;
  // Kind 0 before a module header, 1 before a column insert; only the newer IDE.
  virtual void PositionForPaste(int kind) = 0;
  virtual bool OpenFileInIde(std::string_view path) = 0;
};

// The window commands are skipped when no IDE window is found or the setting
// "Auto Paste" (section "Defaults", default 1) is 0; the settings may be null, which
// reads as the default.
class DesktopIdeLink : public IdeLink {
 public:
  DesktopIdeLink(WindowSystem& windows, DdeClient& dde, const config::Settings* settings)
      : windows_(windows), dde_(dde), settings_(settings) {}

  void CopySelection() override;
  void PasteResult() override;
  void PositionForPaste(int kind) override;
  bool OpenFileInIde(std::string_view path) override;

 private:
  // The window to command and its indicator, or nullopt when commands are off.
  std::optional<Window> CommandTarget(int& indicator);

  WindowSystem& windows_;
  DdeClient& dde_;
  const config::Settings* settings_;
};

// Records each request; for tests. Requests read "copy", "paste", "position 0",
// "open <path>".
class RecordingIdeLink : public IdeLink {
 public:
  void CopySelection() override {
    requests.push_back("copy");
    if (on_copy) on_copy();
  }
  void PasteResult() override { requests.push_back("paste"); }
  void PositionForPaste(int kind) override {
    requests.push_back("position " + std::to_string(kind));
  }
  bool OpenFileInIde(std::string_view path) override {
    requests.push_back("open " + std::string(path));
    return open_result;
  }
  std::vector<std::string> requests;
  bool open_result = true;
  // Plays the IDE's copy, e.g. by putting a selection on a fake clipboard.
  std::function<void()> on_copy;
};

}  // namespace platform
