// The entry point of the X11 module.
//
// A program may carry a C++ runtime of its own (quorvan links it statically), so no
// exception may leave the module: every call the program makes into it goes through
// Guarded, which turns an exception into the call's failure.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/x11/x11_desktop.h"

namespace {

class Guarded : public platform::X11Backend {
 public:
  explicit Guarded(std::unique_ptr<platform::X11Backend> inner) : inner_(std::move(inner)) {}

  std::optional<std::vector<std::string>> Targets() override {
    return Try([&] { return inner_->Targets(); }, std::optional<std::vector<std::string>>());
  }
  std::optional<std::string> Read(std::string_view target) override {
    return Try([&] { return inner_->Read(target); }, std::optional<std::string>());
  }
  bool Publish(const std::vector<platform::SelectionOffer>& offers) override {
    return Try([&] { return inner_->Publish(offers); }, false);
  }
  std::optional<platform::FocusedWindow> Focus() override {
    return Try([&] { return inner_->Focus(); }, std::optional<platform::FocusedWindow>());
  }
  bool WaitModifiersReleased(int timeout_ms) override {
    return Try([&] { return inner_->WaitModifiersReleased(timeout_ms); }, false);
  }
  void WatchClipboardOwner() override {
    Try([&] { return (inner_->WatchClipboardOwner(), true); }, false);
  }
  bool WaitClipboardOwnerChange(int timeout_ms) override {
    return Try([&] { return inner_->WaitClipboardOwnerChange(timeout_ms); }, false);
  }
  bool SendChord(const platform::KeyChord& chord) override {
    return Try([&] { return inner_->SendChord(chord); }, false);
  }

 private:
  template <typename Call, typename Result>
  static Result Try(Call call, Result failure) {
    try {
      return call();
    } catch (...) {
      return failure;
    }
  }

  std::unique_ptr<platform::X11Backend> inner_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) platform::X11Backend* BrackwaterX11Open(
    int version, const char* display, char* error, std::size_t error_size) {
  auto fail = [&](const char* message) -> platform::X11Backend* {
    if (error && error_size > 0) std::snprintf(error, error_size, "%s", message);
    return nullptr;
  };
  try {
    if (version != platform::kX11BackendVersion)
      return fail("the X11 module is of another version");
    std::string message;
    std::unique_ptr<platform::x11::Connection> connection =
        platform::x11::Connection::Open(display, message);
    if (!connection) return fail(message.c_str());
    const char* name = display ? display : std::getenv("DISPLAY");
    return new Guarded(
        std::make_unique<platform::x11::X11Desktop>(std::move(connection), name ? name : ""));
  } catch (...) {
    return fail("the X11 desktop cannot be set up");
  }
}
