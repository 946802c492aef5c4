// quorvan and brkclip on the Wayland desktop, with stand-ins for wl-copy and wl-paste
// on PATH that keep the clipboard in files and log their calls.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "config/registry_file.h"
#include "config/settings.h"
#include "support/child_process.h"
#include "support/test_desktop.h"

namespace {

using testing_support::BuiltProgram;
using testing_support::EnvironmentChanges;
using testing_support::ProgramResult;
using testing_support::ReadFile;
using testing_support::RunProgram;
using testing_support::TestDesktop;

// Like the real wl-copy, the stand-in offers text under the text types too.
constexpr char kFakeWlCopy[] = R"(#!/bin/sh
echo "wl-copy $*" >> "$FAKE_WL/calls"
[ "$1" = "--type" ] || exit 2
cat > "$FAKE_WL/data"
case "$2" in
  text/*) printf '%s\ntext/plain\nUTF8_STRING\nSTRING\nTEXT\n' "$2" > "$FAKE_WL/types" ;;
  *) printf '%s\n' "$2" > "$FAKE_WL/types" ;;
esac
)";

constexpr char kFakeWlPaste[] = R"(#!/bin/sh
echo "wl-paste $*" >> "$FAKE_WL/calls"
[ -f "$FAKE_WL/types" ] || { echo "Nothing is copied" >&2; exit 1; }
case "$1" in
  --list-types) cat "$FAKE_WL/types" ;;
  --no-newline) grep -qxF "$3" "$FAKE_WL/types" && cat "$FAKE_WL/data" ;;
  *) exit 2 ;;
esac
)";

class WaylandDesktop : public ::testing::Test {
 protected:
  WaylandDesktop() {
    std::string bin = desktop_.File("fakebin");
    mkdir(bin.c_str(), 0700);
    mkdir(desktop_.File("wl").c_str(), 0700);
    chmod(desktop_.Write("fakebin/wl-copy", kFakeWlCopy).c_str(), 0700);
    chmod(desktop_.Write("fakebin/wl-paste", kFakeWlPaste).c_str(), 0700);
    desktop_.Write("run/wayland-9", "");  // the compositor's socket, as far as we look
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings(store).WriteSetting("Defaults", "Template Path", desktop_.root());
    desktop_.Write("FCNHDR.CTL", "[Template]\n// $_Function\n$_FcnStatement");
  }

  EnvironmentChanges Env(const char* choice = "wayland", bool with_tools = true) const {
    EnvironmentChanges env = desktop_.Env();
    env["BRACKWATER_DESKTOP"] = choice;
    env["WAYLAND_DISPLAY"] = "wayland-9";
    env["FAKE_WL"] = desktop_.File("wl");
    // Without the tools PATH holds nothing, so real ones installed here do not count.
    env["PATH"] = with_tools ? desktop_.File("fakebin") + ":/usr/bin:/bin" : desktop_.File("wl");
    return env;
  }
  std::string Calls() const { return ReadFile(desktop_.File("wl/calls")); }

  TestDesktop desktop_;
};

TEST_F(WaylandDesktop, TheClipboardGoesThroughWlCopyAndWlPaste) {
  ProgramResult copy = RunProgram(BuiltProgram("brkclip"), {"copy"}, Env(), "void W()");
  ASSERT_EQ(copy.exit_code, 0) << copy.err;
  ProgramResult run = RunProgram(BuiltProgram("quorvan"), {"/0"}, Env());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  ProgramResult paste = RunProgram(BuiltProgram("brkclip"), {"paste"}, Env());
  EXPECT_EQ(paste.out, "// W\nvoid W()");
  EXPECT_EQ(Calls(),
            "wl-copy --type text/plain;charset=utf-8\n"
            "wl-paste --list-types\n"  // the processed marker?
            "wl-paste --list-types\n"
            "wl-paste --no-newline --type UTF8_STRING\n"
            "wl-copy --type text/plain;charset=utf-8\n"
            "wl-paste --list-types\n"
            "wl-paste --no-newline --type UTF8_STRING\n");
  // The socket desktop's clipboard file was never touched.
  EXPECT_TRUE(desktop_.Clipboard().empty());
}

struct UnreachableCase {
  const char* choice;
  int exit_code;
  bool told;
};

TEST_F(WaylandDesktop, WithoutTheToolsAChosenWaylandSaysSoAndAutoFallsBack) {
  desktop_.SetClipboardText("from the file");
  const UnreachableCase cases[] = {{"wayland", 1, true}, {"auto", 0, false}};
  for (const UnreachableCase& c : cases) {
    ProgramResult paste = RunProgram(BuiltProgram("brkclip"), {"paste"}, Env(c.choice, false));
    EXPECT_EQ(paste.exit_code, c.exit_code) << c.choice;
    EXPECT_EQ(paste.err.find("wl-clipboard") != std::string::npos, c.told) << c.choice << paste.err;
    ProgramResult run = RunProgram(BuiltProgram("quorvan"), {"/0"}, Env(c.choice, false));
    EXPECT_EQ(run.exit_code, 1) << c.choice;
  }
}

}  // namespace
