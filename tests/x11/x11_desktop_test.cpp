// quorvan and brkclip on a private X server: the CLIPBOARD selection as the clipboard
// (served by a detached owner, in INCR pieces when large) and the focused
// x11_editor_peer as the editor, driven by XTEST keys.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "config/registry_file.h"
#include "config/settings.h"
#include "platform/keyboard_ide_link.h"
#include "platform/x11/x11_connection.h"
#include "support/child_process.h"
#include "support/test_desktop.h"
#include "support/xvfb.h"

namespace {

using testing_support::BackgroundProgram;
using testing_support::BuiltProgram;
using testing_support::EnvironmentChanges;
using testing_support::ProgramResult;
using testing_support::ReadFile;
using testing_support::RunProgram;
using testing_support::TestDesktop;
using testing_support::WaitUntil;
using testing_support::Xvfb;
using Strings = std::vector<std::string>;

bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

Strings Lines(const std::string& text) {
  Strings lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Ended, or a zombie nobody reaps (the owner's parent is whoever adopted it).
bool ProcessEnded(pid_t pid) {
  if (kill(pid, 0) != 0) return true;
  std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  std::size_t paren = stat.rfind(')');
  return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z';
}

class Editor {
 public:
  Editor(const std::string& directory, int number)
      : log_(directory + "/editor" + std::to_string(number) + ".log"),
        document_(directory + "/editor" + std::to_string(number) + ".doc") {}
  bool Start(const Strings& args, const EnvironmentChanges& env) {
    Strings all{"--log", log_, "--document", document_};
    all.insert(all.end(), args.begin(), args.end());
    return program_.Start(BuiltProgram("x11_editor_peer"), all, env);
  }
  Strings Keys() const { return Lines(ReadFile(log_)); }
  std::string Document() const { return ReadFile(document_); }
  void Stop() { program_.Stop(); }

 private:
  std::string log_, document_;
  BackgroundProgram program_;
};

class X11DesktopTest : public ::testing::Test {
 protected:
  explicit X11DesktopTest(const Strings& server_args = {}) : xvfb_(server_args) {}

  void SetUp() override {
    ASSERT_TRUE(xvfb_.running()) << "Xvfb did not start";
    Setting("Template Path", desktop_.root());
    desktop_.Write("FCNHDR.CTL", "[Template]\n// $_Function\n$_FcnStatement");
  }

  void Setting(const std::string& subsection, const std::string& name, const std::string& value) {
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings(store).WriteSetting(subsection, name, value);
  }
  void Setting(const std::string& name, const std::string& value) {
    Setting("Defaults", name, value);
  }

  EnvironmentChanges Env() const {
    EnvironmentChanges env = desktop_.Env();
    env["DISPLAY"] = xvfb_.display();
    env["BRACKWATER_DESKTOP"] = "x11";
    return env;
  }
  ProgramResult Run(const std::string& program, const Strings& args, const std::string& input = "",
                    int timeout_ms = 30000) const {
    return RunProgram(BuiltProgram(program), args, Env(), input, timeout_ms);
  }
  ProgramResult Paste() const { return Run("brkclip", {"paste"}); }

  Editor& StartEditor(const Strings& args) {
    editors_.push_back(std::make_unique<Editor>(desktop_.root(), editors_.size()));
    if (!editors_.back()->Start(args, Env())) throw std::runtime_error("the editor did not start");
    return *editors_.back();
  }

  // The process that owns CLIPBOARD, as its window says; -1 when unknown.
  pid_t ClipboardOwnerPid() const {
    std::string error;
    auto connection = platform::x11::Connection::Open(xvfb_.display().c_str(), error);
    if (!connection) return -1;
    xcb_connection_t* c = connection->get();
    auto* owner = xcb_get_selection_owner_reply(
        c, xcb_get_selection_owner(c, connection->Atom("CLIPBOARD")), nullptr);
    xcb_window_t window = owner ? owner->owner : XCB_NONE;
    std::free(owner);
    auto* property = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, connection->Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    pid_t pid = -1;
    if (property && xcb_get_property_value_length(property) == 4) {
      pid = static_cast<pid_t>(*static_cast<std::uint32_t*>(xcb_get_property_value(property)));
    }
    std::free(property);
    return pid;
  }

  Xvfb xvfb_;
  TestDesktop desktop_;
  std::vector<std::unique_ptr<Editor>> editors_;
};

struct ActionCase {
  const char* action;
  Strings editor_args;
  std::string input;  // answers on the terminal
  std::string document;
};

TEST_F(X11DesktopTest, ActionsCopyFromTheFocusedEditorAndPasteTheResultBack) {
  Setting("User ID", "jdoe");
  const ActionCase cases[] = {
      {"/0", {"--selection", "int Area(int w)"}, "", "// Area\nint Area(int w)"},
      // Column insert: its template's CR LF line ends arrive as LF.
      {"/7", {"--selection", "b\na\n", "--column"}, "//\\t\ny\n", "//\t\n//\t\n"},
      // A selection with CR LF line ends keeps them.
      {"/7", {"--selection", "b\r\na\r\n", "--column"}, "#\ny\n", "#\r\n#\r\n"},
  };
  for (const ActionCase& c : cases) {
    Editor& editor = StartEditor(c.editor_args);
    ProgramResult run = Run("quorvan", {c.action}, c.input);
    EXPECT_EQ(run.exit_code, 0) << c.action << run.err;
    EXPECT_TRUE(WaitUntil([&] { return editor.Document() == c.document; }))
        << c.action << ": " << editor.Document();
    EXPECT_EQ(editor.Keys(), (Strings{"ctrl+c", "ctrl+v"})) << c.action;
    editor.Stop();
  }
}

TEST_F(X11DesktopTest, AccessFunctionsWithTheShippedTemplates) {
  Setting("Template Path", testing_support::ShippedDataDirectory());
  Editor& editor = StartEditor({"--selection", "int m_nCount;"});
  ProgramResult run = Run("quorvan", {"/2"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  ASSERT_TRUE(WaitUntil([&] { return Mentions(editor.Document(), "GetCount"); }));
  EXPECT_TRUE(Mentions(editor.Document(), "\tint GetCount() const { return m_nCount; }\n"))
      << editor.Document();
  EXPECT_FALSE(Mentions(editor.Document(), "\r"));
}

TEST_F(X11DesktopTest, RichTextOnTheClipboardIsPastedAsItsSource) {
  Editor& owner = StartEditor({"--owner-only", "--selection", "Hi", "--rtf", "{\\rtf1 Hi}"});
  Editor& editor = StartEditor({});
  ProgramResult run = Run("quorvan", {"/9"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(WaitUntil([&] { return editor.Document() == "{\\rtf1 Hi}"; })) << editor.Document();
  EXPECT_EQ(editor.Keys(), Strings{"ctrl+v"});
  owner.Stop();
}

struct KeysCase {
  std::string window_class;
  std::vector<std::pair<std::string, std::string>> desktop_settings;
  Strings keys;  // copy, then paste
};

TEST_F(X11DesktopTest, KeysDependOnTheWindowClassAndTheSettings) {
  const KeysCase cases[] = {
      {"BrackwaterEditor", {}, {"ctrl+c", "ctrl+v"}},
      {"XTerm", {}, {"ctrl+shift+c", "ctrl+shift+v"}},
      {"BrackwaterEditor",
       {{"Copy Keys", "ctrl+insert"}, {"Paste Keys", "shift+insert"}},
       {"ctrl+insert", "shift+insert"}},
      {"MyTerm",
       {{"Terminal Classes", "Foo; myterm"},
        {"Terminal Copy Keys", "alt+c"},
        {"Terminal Paste Keys", "alt+v"}},
       {"alt+c", "alt+v"}},
  };
  for (const KeysCase& c : cases) {
    // Each case starts from the built-in keys, then sets its own.
    const std::pair<std::string, std::string> defaults[] = {
        {"Copy Keys", "ctrl+c"},
        {"Paste Keys", "ctrl+v"},
        {"Terminal Copy Keys", "ctrl+shift+c"},
        {"Terminal Paste Keys", "ctrl+shift+v"},
        {"Terminal Classes", std::string(platform::kDefaultTerminalClasses)}};
    for (const auto& [name, value] : defaults) Setting("Desktop", name, value);
    for (const auto& [name, value] : c.desktop_settings) Setting("Desktop", name, value);
    Editor& editor = StartEditor({"--class", c.window_class, "--selection", "void Key()",
                                  "--copy-keys", c.keys[0], "--paste-keys", c.keys[1]});
    ProgramResult run = Run("quorvan", {"/0"});
    EXPECT_EQ(run.exit_code, 0) << c.window_class << run.err;
    EXPECT_TRUE(WaitUntil([&] { return editor.Document() == "// Key\nvoid Key()"; }))
        << c.window_class;
    EXPECT_EQ(editor.Keys(), c.keys) << c.window_class;
    editor.Stop();
  }
}

TEST_F(X11DesktopTest, CopyWaitsUntilTheHotkeysModifiersAreReleased) {
  // Shift held for 400 ms: without the wait the editor would get ctrl+shift+c.
  Editor& editor = StartEditor({"--selection", "void Held()", "--hold-shift-ms", "400"});
  ProgramResult run = Run("quorvan", {"/0"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(WaitUntil([&] { return editor.Document() == "// Held\nvoid Held()"; }));
  EXPECT_EQ(editor.Keys(), (Strings{"ctrl+c", "ctrl+v"}));
}

TEST_F(X11DesktopTest, AutoPasteZeroSendsNoKeysAndUsesTheClipboard) {
  config::RegistryFileStore store(desktop_.RegistryPath());
  config::Settings(store).WriteSettingNumber("Defaults", "Auto Paste", 0);
  Editor& editor = StartEditor({"--selection", "void Ignored()"});
  ProgramResult copy = Run("brkclip", {"copy"}, "void Mine()");
  ASSERT_EQ(copy.exit_code, 0) << copy.err;
  ProgramResult run = Run("quorvan", {"/0"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Paste().out, "// Mine\nvoid Mine()");
  EXPECT_EQ(editor.Keys(), Strings{});
}

TEST_F(X11DesktopTest, WithTheFocusOnTheRootTheClipboardIsUsedAsItIs) {
  ProgramResult copy = Run("brkclip", {"copy"}, "void Mine()");
  ASSERT_EQ(copy.exit_code, 0) << copy.err;
  ProgramResult run = Run("quorvan", {"/0"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(Paste().out, "// Mine\nvoid Mine()");
  ProgramResult formats = Run("brkclip", {"formats"});
  EXPECT_TRUE(Mentions(formats.out, "application/x-quorvan-processed\n")) << formats.out;
  EXPECT_TRUE(Mentions(formats.out, "UTF8_STRING\n"));
}

TEST_F(X11DesktopTest, TwentyMegabytesGoBothWays) {
  std::string big;
  big.reserve(20u << 20);
  for (std::size_t i = 0; big.size() < (20u << 20); ++i) big += "line " + std::to_string(i) + "\n";
  // Written by brkclip: its detached owner serves it in INCR pieces.
  ASSERT_EQ(Run("brkclip", {"copy"}, big).exit_code, 0);
  ProgramResult back = Paste();
  ASSERT_EQ(back.exit_code, 0);
  EXPECT_TRUE(back.out == big) << back.out.size();
  // Served by another client.
  std::string file = desktop_.Write("big.txt", big + "end");
  Editor& owner = StartEditor({"--owner-only", "--selection-file", file});
  back = Paste();
  ASSERT_EQ(back.exit_code, 0);
  EXPECT_TRUE(back.out == big + "end") << back.out.size();
  owner.Stop();
}

TEST_F(X11DesktopTest, TheOwnerOutlivesTheWriterUntilAnotherClientTakesTheClipboard) {
  ASSERT_EQ(Run("brkclip", {"copy"}, "void Kept()").exit_code, 0);
  pid_t first = ClipboardOwnerPid();
  ASSERT_GT(first, 0);
  EXPECT_FALSE(ProcessEnded(first));
  // quorvan's result replaces the first owner and outlives quorvan.
  ASSERT_EQ(Run("quorvan", {"/0"}).exit_code, 0);
  EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(first); }));
  pid_t second = ClipboardOwnerPid();
  ASSERT_GT(second, 0);
  EXPECT_NE(second, first);
  EXPECT_FALSE(ProcessEnded(second));
  EXPECT_EQ(Paste().out, "// Kept\nvoid Kept()");
  // Another client takes the clipboard.
  Editor& other = StartEditor({"--owner-only", "--selection", "theirs"});
  EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(second); }));
  EXPECT_EQ(Paste().out, "theirs");
  other.Stop();
}

TEST_F(X11DesktopTest, ARunningClipboardManagerTakesOverAndTheOwnerEnds) {
  Editor& manager = StartEditor({"--clipboard-manager"});
  ASSERT_EQ(Run("brkclip", {"copy"}, "managed").exit_code, 0);
  ASSERT_TRUE(WaitUntil([&] { return !manager.Keys().empty(); }));
  Strings saved = manager.Keys();
  ASSERT_EQ(saved.size(), 1u);
  ASSERT_TRUE(saved[0].starts_with("saved 7 from ")) << saved[0];
  pid_t owner = std::atoi(saved[0].substr(13).c_str());
  ASSERT_GT(owner, 0);
  EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(owner); }));
  EXPECT_EQ(Paste().out, "managed");
}

struct OpenCase {
  std::string command_line;  // "Open Command Line"; MARKER is replaced by a file
  int exit_code;             // of "Open Common File"
  std::string opened;        // what the command was given
};

TEST_F(X11DesktopTest, OpenRequestsRunTheOpenCommandLine) {
  desktop_.Write("COMMON.CTL", "[Common Files]\nFile0=/src/My File.h\n");
  const OpenCase cases[] = {
      {"sh -c 'printf \"%s|\" \"$1\" >> MARKER' sh $_File", 0, "/src/My File.h|/src/Main.H|"},
      {"no-such-editor-here $_File", 1, ""},
  };
  for (const OpenCase& c : cases) {
    std::string marker = desktop_.File("opened-" + std::to_string(c.exit_code));
    std::string line = c.command_line;
    if (std::size_t at = line.find("MARKER"); at != std::string::npos) line.replace(at, 6, marker);
    Setting("Desktop", "Open Command Line", line);
    ProgramResult open = Run("quorvan", {"/6"}, "\n");
    EXPECT_EQ(open.exit_code, c.exit_code) << line << open.err;
    // The swap succeeds whatever becomes of its request.
    ProgramResult swap = Run("quorvan", {"/8", "/F", "/src/Main.cpp"});
    EXPECT_EQ(swap.exit_code, 0) << swap.err;
    if (!c.opened.empty()) {
      EXPECT_TRUE(WaitUntil([&] { return ReadFile(marker) == c.opened; })) << ReadFile(marker);
    }
  }
}

TEST_F(X11DesktopTest, AnOwnerThatNeverAnswersEndsInFailureNotAHang) {
  StartEditor({"--owner-only", "--mute-owner", "--selection", "never"});
  ProgramResult paste = Run("brkclip", {"paste"}, "", 20000);
  EXPECT_EQ(paste.exit_code, 1);
  ProgramResult run = Run("quorvan", {"/0"}, "", 20000);
  EXPECT_EQ(run.exit_code, 1);
}

TEST_F(X11DesktopTest, OffersInTargetsWeDoNotReadAreNoText) {
  Editor& owner = StartEditor({"--owner-only", "--rtf", "{\\rtf1 x}"});
  // Rich text alone is read by action 9 only.
  ProgramResult run = Run("quorvan", {"/0"});
  EXPECT_EQ(run.exit_code, 1);
  ProgramResult paste = Paste();
  EXPECT_EQ(paste.exit_code, 1);
  EXPECT_EQ(paste.out, "");
  owner.Stop();
}

class X11WithoutXtest : public X11DesktopTest {
 protected:
  X11WithoutXtest() : X11DesktopTest({"-extension", "XTEST"}) {}
};

TEST_F(X11WithoutXtest, NoKeysAreSentAndTheUserIsTold) {
  Editor& editor = StartEditor({"--selection", "void Nothing()"});
  ProgramResult run = Run("quorvan", {"/0"});
  EXPECT_EQ(run.exit_code, 1);  // nothing was copied, the clipboard is empty
  EXPECT_TRUE(Mentions(run.err, "XTEST")) << run.err;
  ProgramResult copy = Run("brkclip", {"copy"}, "void Mine()");
  ASSERT_EQ(copy.exit_code, 0) << copy.err;
  run = Run("quorvan", {"/0"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(Paste().out, "// Mine\nvoid Mine()");
  EXPECT_EQ(editor.Keys(), Strings{});
}

struct NoServerCase {
  const char* choice;
  int paste_exit;
  bool mentions_display;
};

TEST(X11WithoutAServer, ChosenExplicitlyItFailsElseTheSocketDesktopServes) {
  const NoServerCase cases[] = {{"x11", 1, true}, {"auto", 0, false}};
  for (const NoServerCase& c : cases) {
    TestDesktop desktop;
    desktop.SetClipboardText("from the file");
    EnvironmentChanges env = desktop.Env();
    env["DISPLAY"] = testing_support::UnusedDisplay();
    env["BRACKWATER_DESKTOP"] = c.choice;
    ProgramResult paste = RunProgram(BuiltProgram("brkclip"), {"paste"}, env);
    EXPECT_EQ(paste.exit_code, c.paste_exit) << c.choice;
    EXPECT_EQ(Mentions(paste.err, "the X display"), c.mentions_display)
        << c.choice << paste.err;
    ProgramResult run = RunProgram(BuiltProgram("quorvan"), {"/0"}, env);
    EXPECT_EQ(run.exit_code, 1) << c.choice;  // the file holds no function
  }
}

TEST(X11Module, OnlyARunThatChoosesX11LoadsTheXLibraries) {
  ProgramResult dynamic = RunProgram("/usr/bin/readelf", {"-d", BuiltProgram("quorvan")}, {});
  ASSERT_EQ(dynamic.exit_code, 0);
  EXPECT_FALSE(Mentions(dynamic.out, "libxcb")) << dynamic.out;

  Xvfb xvfb;
  ASSERT_TRUE(xvfb.running());
  for (const char* choice : {"socket", "x11"}) {
    TestDesktop desktop;
    EnvironmentChanges env = desktop.Env();
    env["DISPLAY"] = xvfb.display();
    env["BRACKWATER_DESKTOP"] = choice;
    env["LD_DEBUG"] = "files";
    ProgramResult run = RunProgram(BuiltProgram("quorvan"), {"/3"}, env);
    EXPECT_EQ(run.exit_code, 1) << choice;  // nothing to append
    EXPECT_EQ(Mentions(run.err, "libxcb.so"), std::string(choice) == "x11") << choice;
  }
}

}  // namespace
