// Which desktop BRACKWATER_DESKTOP and the session choose.
#include "platform/desktop_choice.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/xvfb.h"

namespace platform {
namespace {

struct ChoiceCase {
  DesktopEnvironment env;
  bool wayland_reachable;
  bool x11_connects;
  DesktopKind kind;
  bool error;
};

TEST(DesktopChoice, FollowsTheVariableAndWhatIsReachable) {
  const ChoiceCase cases[] = {
      {{std::nullopt, std::nullopt, std::nullopt}, true, true, DesktopKind::kSocket, false},
      {{std::nullopt, "wayland-0", ":0"}, true, true, DesktopKind::kWayland, false},
      // XWayland without wl-clipboard: X11.
      {{"auto", "wayland-0", ":0"}, false, true, DesktopKind::kX11, false},
      {{"AUTO", std::nullopt, ":0"}, false, false, DesktopKind::kSocket, false},
      {{std::nullopt, std::nullopt, ""}, true, true, DesktopKind::kSocket, false},
      {{"socket", "wayland-0", ":0"}, true, true, DesktopKind::kSocket, false},
      {{"x11", std::nullopt, ":0"}, false, false, DesktopKind::kX11, false},
      {{"x11", std::nullopt, std::nullopt}, true, true, DesktopKind::kX11, true},
      {{"wayland", "wayland-0", std::nullopt}, false, false, DesktopKind::kWayland, true},
      {{"wayland", std::nullopt, ":0"}, true, true, DesktopKind::kWayland, true},
      {{"kde", std::nullopt, ":0"}, true, true, DesktopKind::kSocket, true},
  };
  for (const ChoiceCase& c : cases) {
    int x11_probes = 0;
    DesktopDecision decision = ChooseDesktop(
        c.env, [&] { return c.wayland_reachable; },
        [&] {
          ++x11_probes;
          return c.x11_connects;
        });
    std::string label = c.env.choice.value_or("-") + "/" + c.env.display.value_or("-");
    EXPECT_EQ(decision.kind, c.kind) << label;
    EXPECT_EQ(!decision.error.empty(), c.error) << label << decision.error;
    // An explicit choice does not probe the X server: its failure shows at first use.
    if (c.env.choice && *c.env.choice == "x11") EXPECT_EQ(x11_probes, 0);
  }
}

// A local display whose socket accepts connections but speaks no X: the socket probe
// succeeds, the X connection does not.
class MuteDisplay {
 public:
  MuteDisplay() {
    display_ = testing_support::UnusedDisplay();
    mkdir("/tmp/.X11-unix", 01777);
    path_ = "/tmp/.X11-unix/X" + display_.substr(1);
    fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path_.copy(address.sun_path, sizeof address.sun_path - 1);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd_, 8) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~MuteDisplay() {
    if (fd_ >= 0) close(fd_);
    unlink(path_.c_str());
  }
  bool ok() const { return fd_ >= 0; }
  const std::string& display() const { return display_; }

 private:
  std::string display_;
  std::string path_;
  int fd_ = -1;
};

class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DesktopChoice, AnAutomaticChoiceOfADisplayThatSpeaksNoXFallsBackToTheSocketDesktop) {
  MuteDisplay mute;
  ASSERT_TRUE(mute.ok());
  ScopedVariable display("DISPLAY", mute.display().c_str());
  ScopedVariable wayland("WAYLAND_DISPLAY", nullptr);
  // The X library, which has no time limit, never waits on that server.
  {
    ScopedVariable choice("BRACKWATER_DESKTOP", nullptr);
    Desktop desktop = MakeDesktop(nullptr);
    EXPECT_EQ(desktop.kind, DesktopKind::kSocket);
    EXPECT_EQ(desktop.error, "");
  }
  ScopedVariable choice("BRACKWATER_DESKTOP", "x11");
  Desktop desktop = MakeDesktop(nullptr);
  EXPECT_EQ(desktop.kind, DesktopKind::kX11);
  EXPECT_NE(desktop.error, "");
  EXPECT_FALSE(desktop.clipboard->Open());
}

}  // namespace
}  // namespace platform
