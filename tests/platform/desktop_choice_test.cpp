// Which desktop BRACKWATER_DESKTOP and the session choose.
#include "platform/desktop_choice.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace platform
