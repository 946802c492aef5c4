// The IDE link against real ide_peer processes on an isolated desktop.
#include "platform/ide_link.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>

#include "config/memory_store.h"
#include "config/settings.h"
#include "platform/unix_socket.h"
#include "support/test_desktop.h"

namespace platform {
namespace {

using testing_support::IdeOptions;
using testing_support::IdePeer;
using testing_support::TestDesktop;
using Strings = std::vector<std::string>;

class IdeLinkTest : public ::testing::Test {
 protected:
  std::string Desktop() const { return desktop_.File("run/brackwater/desktop"); }

  IdePeer& StartIde(IdeOptions options) {
    IdePeer* peer = desktop_.StartIde(options);
    EXPECT_NE(peer, nullptr);
    if (!peer) throw std::runtime_error("ide_peer did not start");
    return *peer;
  }

  TestDesktop desktop_;
  config::MemoryStore store_;
  config::Settings settings_{store_};
};

struct WindowCase {
  const char* title;
  const char* class_name;
  bool found;
  int indicator;
};

TEST_F(IdeLinkTest, FindIdeWindowMatchesTheTitleAndTellsTheGeneration) {
  const WindowCase cases[] = {
      {"Microsoft Visual C++", "MSVCMainWindow", true, 15},
      {"Microsoft Visual C++ - proj.mak", "Afx:400000:8:10011:0:3e0", true, 20},
      {"Microsoft Visual C++ [break]", "Qt5QWindow", true, 0},
      {"Microsoft Visual C++", "MSVCMainWindowX", true, 0},
      {"Microsoft Visual C++", "afx:lower", true, 0},
      {"Microsoft Visual C", "MSVCMainWindow", false, 0},
      {"microsoft visual c++", "MSVCMainWindow", false, 0},
      {" Microsoft Visual C++", "MSVCMainWindow", false, 0},
  };
  for (const WindowCase& c : cases) {
    TestDesktop desktop;
    ASSERT_NE(desktop.StartIde({.title = c.title, .class_name = c.class_name}), nullptr);
    SocketWindowSystem windows(desktop.File("run/brackwater/desktop"));
    int indicator = 0;
    EXPECT_EQ(FindIdeWindow(windows, &indicator).has_value(), c.found) << c.title;
    EXPECT_EQ(indicator, c.indicator) << c.title << " / " << c.class_name;
  }
}

TEST_F(IdeLinkTest, TheFrontmostOfTwoIdeWindowsIsUsed) {
  IdePeer& back = StartIde({.class_name = "MSVCMainWindow", .stamp = "999"});
  IdePeer& front = StartIde({.class_name = "Afx:1", .stamp = "1000"});
  StartIde({.title = "Some Editor", .stamp = "5000"});  // in front, but not the IDE
  SocketWindowSystem windows(Desktop());
  SocketDdeClient dde(Desktop());
  DesktopIdeLink ide(windows, dde, &settings_);
  ide.CopySelection();
  EXPECT_EQ(front.Commands(), Strings{"SEND 273 57634 0"});
  EXPECT_EQ(back.Commands(), Strings{});
}

TEST_F(IdeLinkTest, ASocketNobodyListensOnIsSkipped) {
  IdePeer& ide = StartIde({.stamp = "10"});
  // A dead window in front: a socket file without a listener.
  std::string dead = Desktop() + "/windows/20.sock";
  {
    SocketFd listener = ListenUnixSocket(dead);
    ASSERT_TRUE(listener.valid());
  }
  SocketWindowSystem windows(Desktop());
  ASSERT_EQ(windows.EnumerateWindows().size(), 2u);
  int indicator = 0;
  std::optional<Window> found = FindIdeWindow(windows, &indicator);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->socket_path, Desktop() + "/windows/10.sock");
  EXPECT_EQ(indicator, 20);
  EXPECT_EQ(ide.Requests().front(), "GETTEXT");
}

struct CommandCase {
  const char* class_name;
  Strings expected;  // copy, paste, position 0, position 1, position 2
};

TEST_F(IdeLinkTest, EachRequestSendsTheNumberOfTheWindowsGeneration) {
  const CommandCase cases[] = {
      {"MSVCMainWindow", {"SEND 273 204 0", "POST 273 205 0"}},
      {"Afx:400000:8",
       {"SEND 273 57634 0", "POST 273 57637 0", "SEND 273 91065 0", "SEND 273 91062 0"}},
      {"OtherClass",
       {"SEND 273 57634 0", "POST 273 57637 0", "SEND 273 91065 0", "SEND 273 91062 0"}},
  };
  for (const CommandCase& c : cases) {
    TestDesktop desktop;
    IdePeer* peer = desktop.StartIde({.class_name = c.class_name});
    ASSERT_NE(peer, nullptr);
    SocketWindowSystem windows(desktop.File("run/brackwater/desktop"));
    SocketDdeClient dde(desktop.File("run/brackwater/desktop"));
    DesktopIdeLink ide(windows, dde, &settings_);
    ide.CopySelection();
    ide.PasteResult();
    ASSERT_TRUE(peer->WaitForRequest(c.expected[1]));
    ide.PositionForPaste(0);
    ide.PositionForPaste(1);
    ide.PositionForPaste(2);
    ide.PositionForPaste(-1);
    EXPECT_EQ(peer->Commands(), c.expected) << c.class_name;
  }
}

TEST_F(IdeLinkTest, AutoPasteZeroSendsNothing) {
  IdePeer& peer = StartIde({});
  settings_.WriteSettingNumber("Defaults", "Auto Paste", 0);
  SocketWindowSystem windows(Desktop());
  SocketDdeClient dde(Desktop());
  DesktopIdeLink ide(windows, dde, &settings_);
  ide.CopySelection();
  ide.PasteResult();
  ide.PositionForPaste(0);
  settings_.WriteSettingNumber("Defaults", "Auto Paste", 1);
  ide.PositionForPaste(1);
  EXPECT_EQ(peer.Commands(), Strings{"SEND 273 91062 0"});
}

TEST_F(IdeLinkTest, NoIdeWindowMeansNoTraffic) {
  SocketWindowSystem windows(Desktop());
  SocketDdeClient dde(Desktop());
  DesktopIdeLink ide(windows, dde, nullptr);
  ide.CopySelection();  // no desktop directory at all: nothing happens, nothing hangs
  ide.PasteResult();
  EXPECT_TRUE(windows.EnumerateWindows().empty());
}

TEST_F(IdeLinkTest, TheCopyAndPasteCommandsReachTheClipboardAndTheDocument) {
  IdePeer& peer = StartIde({.selection = "int f(int a);", .column = true});
  SocketWindowSystem windows(Desktop());
  SocketDdeClient dde(Desktop());
  DesktopIdeLink ide(windows, dde, &settings_);
  ide.CopySelection();  // sent: the clipboard holds the selection when it returns
  EXPECT_EQ(desktop_.Clipboard(),
            (ClipboardContents{{"CF_TEXT", "int f(int a);"}, {"MSVCColumnSelect", "\1"}}));
  desktop_.SetClipboardText("pasted");
  ide.PasteResult();
  EXPECT_TRUE(testing_support::WaitUntil([&] { return peer.Document() == "pasted"; }));
}

struct DdeCase {
  const char* answer;  // how the peer serves DDE; "" for no server
  bool accepted;
  const char* label;  // the diagnostic of a failure
};

TEST_F(IdeLinkTest, OpenFileInIdeIsTrueOnlyForAnAcknowledgedExecute) {
  const DdeCase cases[] = {
      {"ack", true, ""},
      {"nack", false, "DDE Request"},
      {"silent", false, "DDE Request"},
      {"", false, "DDE Connect"},
  };
  for (const DdeCase& c : cases) {
    TestDesktop desktop;
    IdePeer* peer = desktop.StartIde({.dde = c.answer});
    ASSERT_NE(peer, nullptr);
    SocketDdeClient dde(desktop.File("run/brackwater/desktop"));
    std::string label;
    dde.SetDiagnosticHook([&](std::string_view l) { label = l; });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenFileInIde(dde, "/src/my file.cpp"), c.accepted) << c.answer;
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(3000)) << "the 1000 ms limit holds";
    EXPECT_EQ(label, c.label) << c.answer;
    if (*c.answer) {
      EXPECT_EQ(peer->Commands(), Strings{"EXECUTE OPEN (\"/src/my file.cpp\")"}) << c.answer;
    }
  }
}

TEST_F(IdeLinkTest, AnEmptyPathStartsNoConversation) {
  IdePeer& peer = StartIde({.dde = "ack"});
  SocketDdeClient dde(Desktop());
  EXPECT_FALSE(OpenFileInIde(dde, ""));
  EXPECT_TRUE(OpenFileInIde(dde, "x"));
  EXPECT_EQ(peer.Commands(), Strings{"EXECUTE OPEN (\"x\")"});
}

TEST(OpenCommandText, InsertsThePathUnchanged) {
  EXPECT_EQ(OpenCommandText("C:\\PROJ\\MAIN.CPP"), "OPEN (\"C:\\PROJ\\MAIN.CPP\")");
  EXPECT_EQ(OpenCommandText("a\"b"), "OPEN (\"a\"b\")");
}

}  // namespace
}  // namespace platform
