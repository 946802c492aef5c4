// The pieces of the desktop link that need no display: key chords, the choice of
// desktop, the selection clipboard over a fake transport, the keyboard link over a
// recording keyboard, and the open command line.
#include <gtest/gtest.h>

#include <map>

#include "config/memory_store.h"
#include "config/settings.h"
#include "platform/desktop_choice.h"
#include "platform/key_chord.h"
#include "platform/keyboard_ide_link.h"
#include "platform/open_command.h"
#include "platform/selection_clipboard.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

using Strings = std::vector<std::string>;

struct ChordCase {
  const char* text;
  std::optional<KeyChord> chord;
  const char* formatted;  // FormatKeyChord of the result
};

TEST(KeyChord, ParsesTheSettingsSpelling) {
  const ChordCase cases[] = {
      {"ctrl+c", KeyChord{.ctrl = true, .keysym = 'c'}, "ctrl+c"},
      {"Ctrl+Shift+V", KeyChord{.ctrl = true, .shift = true, .keysym = 'v'}, "ctrl+shift+v"},
      {"shift+insert", KeyChord{.shift = true, .keysym = 0xff63}, "shift+insert"},
      {" control + C ", KeyChord{.ctrl = true, .keysym = 'c'}, "ctrl+c"},
      {"alt+f12", KeyChord{.alt = true, .keysym = 0xffc9}, "alt+f12"},
      {"super+plus", KeyChord{.super = true, .keysym = '+'}, "super+plus"},
      {"ctrl", std::nullopt, ""},
      {"ctrl+c+v", std::nullopt, ""},
      {"hyper+c", std::nullopt, ""},
      {"", std::nullopt, ""},
      {"f13", std::nullopt, ""},
  };
  for (const ChordCase& c : cases) {
    std::optional<KeyChord> chord = ParseKeyChord(c.text);
    EXPECT_EQ(chord, c.chord) << c.text;
    if (chord) EXPECT_EQ(FormatKeyChord(*chord), c.formatted);
  }
}

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

// Answers from a map of targets; records what was read and published.
class FakeTransport : public SelectionTransport {
 public:
  std::optional<std::vector<std::string>> Targets() override {
    ++target_queries;
    if (!owner) return std::nullopt;
    Strings names;
    for (const auto& [name, bytes] : data) names.push_back(name);
    return names;
  }
  std::optional<std::string> Read(std::string_view target) override {
    reads.emplace_back(target);
    auto found = data.find(std::string(target));
    if (found == data.end() || refuse.count(std::string(target))) return std::nullopt;
    return found->second;
  }
  bool Publish(const std::vector<SelectionOffer>& offers) override {
    published.push_back(offers);
    return publish_result;
  }
  bool owner = true;
  std::map<std::string, std::string> data;
  std::map<std::string, bool> refuse;
  Strings reads;
  int target_queries = 0;
  std::vector<std::vector<SelectionOffer>> published;
  bool publish_result = true;
};

struct ReadCase {
  std::map<std::string, std::string> offered;
  std::map<std::string, bool> refused;
  std::optional<std::string> text;
  Strings reads;
};

TEST(SelectionClipboard, ReadsTheFirstTextTargetThatAnswers) {
  const ReadCase cases[] = {
      {{{"UTF8_STRING", "u"}, {"STRING", "s"}}, {}, "u", {"UTF8_STRING"}},
      {{{"TEXT", "t"}, {"STRING", "s"}}, {}, "s", {"STRING"}},
      {{{"UTF8_STRING", "u"}, {"STRING", "s"}}, {{"UTF8_STRING", true}}, "s",
       {"UTF8_STRING", "STRING"}},
      {{{"text/plain;charset=utf-8", "\xff\xfe binary"}}, {}, "\xff\xfe binary",
       {"text/plain;charset=utf-8"}},
      // Offered only in targets the text is not read from.
      {{{"image/png", "png"}, {"text/html", "<b>"}}, {}, std::nullopt, {}},
  };
  for (const ReadCase& c : cases) {
    auto transport = std::make_shared<FakeTransport>();
    transport->data = c.offered;
    transport->refuse = c.refused;
    SelectionClipboard clipboard(transport, true);
    ASSERT_TRUE(clipboard.Open());
    EXPECT_EQ(clipboard.GetData(Clipboard::kText), c.text);
    EXPECT_EQ(transport->reads, c.reads);
    clipboard.Close();
  }
}

TEST(SelectionClipboard, MarkersAndRichTextHaveTheirOwnTargets) {
  auto transport = std::make_shared<FakeTransport>();
  transport->data = {{"application/x-quorvan-processed", "\1"}, {"text/rtf", "{\\rtf1}"}};
  SelectionClipboard clipboard(transport, true);
  Clipboard::Format processed = clipboard.RegisterFormat("Quorvan Format");
  Clipboard::Format column = clipboard.RegisterFormat("MSVCColumnSelect");
  Clipboard::Format rtf = clipboard.RegisterFormat("Rich Text Format");
  EXPECT_TRUE(clipboard.IsFormatAvailable(processed));
  EXPECT_FALSE(clipboard.IsFormatAvailable(column));
  EXPECT_FALSE(clipboard.IsFormatAvailable(Clipboard::kText));
  ASSERT_TRUE(clipboard.Open());
  EXPECT_EQ(clipboard.GetData(rtf), "{\\rtf1}");
  clipboard.Empty();
  clipboard.SetData(column, "\1");
  clipboard.SetData(Clipboard::kText, "x");
  clipboard.SetData(processed, "\1");
  ASSERT_TRUE(clipboard.Close());
  ASSERT_EQ(transport->published.size(), 1u);
  EXPECT_EQ(transport->published[0],
            (std::vector<SelectionOffer>{{{"application/x-column-selection"}, "\1"},
                                         {TextTargets(), "x"},
                                         {{"application/x-quorvan-processed"}, "\1"}}));
  // The owner is asked for its targets once per Open.
  EXPECT_EQ(transport->target_queries, 4);
}

struct LineEndCase {
  std::optional<std::string> read;  // the text read first, if any
  std::string written;
  std::string published;
};

TEST(SelectionClipboard, TextLeavesWithLinuxLineEndsUnlessItCameWithCrLf) {
  const LineEndCase cases[] = {
      {std::nullopt, "a\r\nb\r\n", "a\nb\n"},
      {"x\ny", "a\r\nb", "a\nb"},
      {"x\r\ny", "a\r\nb", "a\r\nb"},
      {std::nullopt, "lone\rcr\n", "lone\rcr\n"},
  };
  for (const LineEndCase& c : cases) {
    auto transport = std::make_shared<FakeTransport>();
    if (c.read) transport->data = {{"UTF8_STRING", *c.read}};
    SelectionClipboard clipboard(transport, true);
    ASSERT_TRUE(clipboard.Open());
    if (c.read) clipboard.GetData(Clipboard::kText);
    clipboard.Empty();
    clipboard.SetData(Clipboard::kText, c.written);
    ASSERT_TRUE(clipboard.Close());
    EXPECT_EQ(transport->published.at(0).at(0).bytes, c.published);
  }
  // A writer that hands over bytes as given keeps them.
  auto transport = std::make_shared<FakeTransport>();
  SelectionClipboard raw(transport, false);
  raw.Open();
  raw.SetData(Clipboard::kText, "a\r\nb");
  raw.Close();
  EXPECT_EQ(transport->published.at(0).at(0).bytes, "a\r\nb");
}

TEST(SelectionClipboard, FailuresAreReportedAndNothingIsPublishedWithoutAChange) {
  auto transport = std::make_shared<FakeTransport>();
  transport->owner = false;
  SelectionClipboard clipboard(transport, true);
  EXPECT_FALSE(clipboard.GetData(Clipboard::kText));  // not open
  ASSERT_TRUE(clipboard.Open());
  EXPECT_FALSE(clipboard.Open());
  EXPECT_EQ(clipboard.GetData(Clipboard::kText), std::nullopt);
  EXPECT_TRUE(clipboard.Close());
  EXPECT_TRUE(transport->published.empty());
  transport->publish_result = false;
  clipboard.Open();
  clipboard.SetData(Clipboard::kText, "lost?");
  EXPECT_FALSE(clipboard.Close());
}

// Plays the display's keyboard and logs each call.
class RecordingKeyboard : public KeyInjector {
 public:
  std::optional<FocusedWindow> Focus() override {
    calls.push_back("focus");
    return focus;
  }
  bool WaitModifiersReleased(int timeout_ms) override {
    calls.push_back("modifiers " + std::to_string(timeout_ms));
    return true;
  }
  void WatchClipboardOwner() override { calls.push_back("watch"); }
  bool WaitClipboardOwnerChange(int timeout_ms) override {
    calls.push_back("owner " + std::to_string(timeout_ms));
    return true;
  }
  bool SendChord(const KeyChord& chord) override {
    calls.push_back(FormatKeyChord(chord));
    return can_send;
  }
  std::optional<FocusedWindow> focus = FocusedWindow{"gvim", "Gvim"};
  bool can_send = true;
  Strings calls;
};

class NeverOpen : public DdeClient {
 public:
  bool Execute(std::string_view, std::string_view, std::string_view data) override {
    data_.emplace_back(data);
    return false;
  }
  Strings data_;
};

struct LinkCase {
  std::optional<FocusedWindow> focus;
  std::map<std::string, std::string> desktop;
  int auto_paste;
  Strings copy_calls;
  Strings paste_calls;
};

TEST(KeyboardIdeLink, SendsTheKeysOfTheFocusedWindowsKind) {
  const Strings kNone{};
  const LinkCase cases[] = {
      {FocusedWindow{"gvim", "Gvim"}, {}, 1,
       {"focus", "modifiers 1000", "watch", "ctrl+c", "owner 500"},
       {"focus", "modifiers 1000", "ctrl+v"}},
      {FocusedWindow{"xterm", "XTerm"}, {}, 1,
       {"focus", "modifiers 1000", "watch", "ctrl+shift+c", "owner 500"},
       {"focus", "modifiers 1000", "ctrl+shift+v"}},
      // The instance name counts too, and the list is the user's.
      {FocusedWindow{"myterm", "Other"}, {{"Terminal Classes", "a;MyTerm"},
                                          {"Terminal Paste Keys", "shift+insert"}}, 1,
       {"focus", "modifiers 1000", "watch", "ctrl+shift+c", "owner 500"},
       {"focus", "modifiers 1000", "shift+insert"}},
      {FocusedWindow{"xterm", "XTerm"}, {{"Terminal Classes", "a;b"}}, 1,
       {"focus", "modifiers 1000", "watch", "ctrl+c", "owner 500"},
       {"focus", "modifiers 1000", "ctrl+v"}},
      {FocusedWindow{"gvim", "Gvim"}, {}, 0, kNone, kNone},
      {std::nullopt, {}, 1, {"focus"}, {"focus"}},
      // Keys that do not parse are not sent.
      {FocusedWindow{"gvim", "Gvim"}, {{"Copy Keys", "ctrl+nothing"}}, 1, {"focus"},
       {"focus", "modifiers 1000", "ctrl+v"}},
  };
  for (const LinkCase& c : cases) {
    config::MemoryStore store;
    config::Settings settings(store);
    settings.WriteSettingNumber("Defaults", "Auto Paste", c.auto_paste);
    for (const auto& [name, value] : c.desktop) settings.WriteSetting("Desktop", name, value);
    RecordingKeyboard keys;
    keys.focus = c.focus;
    NeverOpen open;
    KeyboardIdeLink link(&keys, open, &settings);
    link.CopySelection();
    EXPECT_EQ(keys.calls, c.copy_calls);
    keys.calls.clear();
    link.PositionForPaste(0);
    link.PasteResult();
    EXPECT_EQ(keys.calls, c.paste_calls);
  }
}

TEST(KeyboardIdeLink, WithoutKeyInjectionItSaysSoOnceAndWaitsForNothing) {
  RecordingKeyboard keys;
  keys.can_send = false;
  NeverOpen open;
  KeyboardIdeLink link(&keys, open, nullptr);
  Strings messages;
  link.SetDiagnosticHook([&](std::string_view m) { messages.emplace_back(m); });
  link.CopySelection();
  link.PasteResult();
  EXPECT_EQ(keys.calls, (Strings{"focus", "modifiers 1000", "watch", "ctrl+c", "focus",
                                 "modifiers 1000", "ctrl+v"}));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("XTEST"), std::string::npos);

  // Wayland: no keyboard at all; the open request still goes out.
  KeyboardIdeLink wayland(nullptr, open, nullptr);
  wayland.CopySelection();
  wayland.PasteResult();
  EXPECT_FALSE(wayland.OpenFileInIde("/a b.h"));
  EXPECT_EQ(open.data_, Strings{"OPEN (\"/a b.h\")"});
}

TEST(OpenCommand, TheRequestsPathGoesIntoTheCommandLineAsOneWord) {
  const std::pair<const char*, std::optional<std::string>> paths[] = {
      {"OPEN (\"/src/a.h\")", "/src/a.h"},
      {"OPEN (\"/my dir/\"q\".h\")", "/my dir/\"q\".h"},
      {"OPEN (\"\")", ""},
      {"CLOSE (\"/a\")", std::nullopt},
      {"OPEN (\"/a\"", std::nullopt},
  };
  for (const auto& [data, path] : paths) EXPECT_EQ(PathOfOpenCommand(data), path) << data;

  config::MemoryStore store;
  config::Settings settings(store);
  OpenCommandClient client(&settings);
  EXPECT_EQ(client.CommandLineFor("/src/it's.h"), "xdg-open '/src/it'\\''s.h'");
  settings.WriteSetting("Desktop", "Open Command Line", "gvim --remote-tab \"$_File\"");
  EXPECT_EQ(client.CommandLineFor("/a \"b\".h"), "gvim --remote-tab \"'/a \\\"b\\\".h'\"");
}

TEST(OpenCommand, StartsTheCommandWithoutWaitingAndRefusesWhatCannotStart) {
  testing_support::TempDir dir;
  config::MemoryStore store;
  config::Settings settings(store);
  std::string marker = dir.File("opened");
  settings.WriteSetting("Desktop", "Open Command Line",
                        "sh -c 'sleep 0.2; printf %s \"$1\" > " + marker + "' sh $_File");
  OpenCommandClient client(&settings);
  EXPECT_TRUE(client.Execute("MSVC", "SYSTEM", "OPEN (\"/my dir/x.h\")"));
  EXPECT_FALSE(testing_support::FileExists(marker));  // not waited for
  EXPECT_TRUE(testing_support::WaitUntil(
      [&] { return testing_support::ReadFile(marker) == "/my dir/x.h"; }));

  for (const char* line : {"no-such-program-here $_File", "'unterminated $_File", ""}) {
    settings.WriteSetting("Desktop", "Open Command Line", line);
    EXPECT_FALSE(client.Execute("MSVC", "SYSTEM", "OPEN (\"/a.h\")")) << line;
  }
  EXPECT_FALSE(client.Execute("MSVC", "SYSTEM", "NOT AN OPEN"));
}

}  // namespace
}  // namespace platform
