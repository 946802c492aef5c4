// The built quorvan, run in an isolated session against the clipboard store, the
// configuration store and ide_peer windows.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "config/registry_file.h"
#include "config/settings.h"
#include "support/test_desktop.h"

namespace {

using platform::ClipboardContents;
using testing_support::IdeOptions;
using testing_support::IdePeer;
using testing_support::ProgramResult;
using testing_support::TestDesktop;
using Strings = std::vector<std::string>;

class QuorvanProcess : public ::testing::Test {
 protected:
  QuorvanProcess() {
    Setting("Template Path", desktop_.root());
    desktop_.Write("FCNHDR.CTL", "[Template]\n// $_Function\n$_FcnStatement");
    desktop_.Write("MODHDR.CTL", "[Template]\n// $_Filename ($_BaseFile)\n");
  }

  void Setting(const std::string& name, const std::string& value) {
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings(store).WriteSetting("Defaults", name, value);
  }
  void Number(const std::string& name, int value) {
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings(store).WriteSettingNumber("Defaults", name, value);
  }

  ProgramResult Quorvan(const Strings& args, const std::string& input = "") {
    return desktop_.Run("quorvan", args, input);
  }

  IdePeer& StartIde(const IdeOptions& options) {
    IdePeer* peer = desktop_.StartIde(options);
    if (!peer) throw std::runtime_error("ide_peer did not start");
    return *peer;
  }

  TestDesktop desktop_;
};

TEST_F(QuorvanProcess, WithoutAnActionItExplainsAndExitsWithTwo) {
  for (const Strings& args : {Strings{}, Strings{"/Q"}, Strings{"/F", "/0"}, Strings{"/01"}}) {
    ProgramResult run = Quorvan(args);
    EXPECT_EQ(run.exit_code, 2) << ::testing::PrintToString(args);
    EXPECT_NE(run.err.find("/0 to /9"), std::string::npos);
  }
}

struct GenerationCase {
  const char* class_name;
  Strings commands;
};

TEST_F(QuorvanProcess, FunctionHeaderCopiesThenHasTheResultPasted) {
  const GenerationCase cases[] = {
      {"MSVCMainWindow", {"SEND 273 204 0", "POST 273 205 0"}},
      {"Afx:400000:8", {"SEND 273 57634 0", "POST 273 57637 0"}},
      {"SomethingElse", {"SEND 273 57634 0", "POST 273 57637 0"}},
  };
  for (const GenerationCase& c : cases) {
    TestDesktop desktop;
    desktop.Write("FCNHDR.CTL", "[Template]\n// $_Function\n$_FcnStatement");
    IdePeer* ide = desktop.StartIde({.class_name = c.class_name, .selection = "int Area(int w)"});
    ASSERT_NE(ide, nullptr);
    config::RegistryFileStore store(desktop.RegistryPath());
    config::Settings(store).WriteSetting("Defaults", "Template Path", desktop.root());
    ProgramResult run = desktop.Run("quorvan", {"-0"});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    ASSERT_TRUE(ide->WaitForRequest(c.commands.back())) << c.class_name;
    EXPECT_EQ(ide->Commands(), c.commands);
    EXPECT_TRUE(
        testing_support::WaitUntil([&] { return ide->Document() == "// Area\nint Area(int w)"; }));
    EXPECT_EQ(desktop.Clipboard(), (ClipboardContents{{"CF_TEXT", "// Area\nint Area(int w)"},
                                                      {"Quorvan Format", "\1"}}));
  }
}

TEST_F(QuorvanProcess, TheFrontmostOfTwoIdeWindowsIsTheOneCommanded) {
  IdePeer& back = StartIde({.stamp = "100", .selection = "void Back()"});
  IdePeer& front = StartIde({.stamp = "200", .selection = "void Front()"});
  ASSERT_EQ(Quorvan({"/0"}).exit_code, 0);
  ASSERT_TRUE(front.WaitForRequest("POST 273 57637 0"));
  EXPECT_EQ(front.Document(), "// Front\nvoid Front()");
  EXPECT_EQ(back.Commands(), Strings{});
}

TEST_F(QuorvanProcess, ProcessedTextIsProcessedAgainOnlyAfterYes) {
  desktop_.SetClipboardText("void Once()");
  ASSERT_EQ(Quorvan({"/0"}).exit_code, 0);
  ClipboardContents first = desktop_.Clipboard();
  ASSERT_EQ(first[0].second, "// Once\nvoid Once()");

  for (const char* no : {"n\n", "no\n", ""}) {
    ProgramResult refused = Quorvan({"/0"}, no);
    EXPECT_EQ(refused.exit_code, 1) << no;
    EXPECT_NE(refused.err.find("has already been processed"), std::string::npos);
    EXPECT_EQ(desktop_.Clipboard(), first);
  }
  ProgramResult again = Quorvan({"/0"}, "Y\n");
  EXPECT_EQ(again.exit_code, 0);
  // The whole two-line text is the declaration now; its first line is a comment.
  EXPECT_EQ(desktop_.Clipboard()[0].second, "// Once\n// Once\nvoid Once()");
}

TEST_F(QuorvanProcess, AColumnSelectionGoesBackMarkedAndTheNextResultIsNot) {
  StartIde({.selection = "void Col()", .column = true});
  ASSERT_EQ(Quorvan({"/0"}).exit_code, 0);
  EXPECT_EQ(desktop_.Clipboard(), (ClipboardContents{{"MSVCColumnSelect", "\1"},
                                                     {"CF_TEXT", "// Col\nvoid Col()"},
                                                     {"Quorvan Format", "\1"}}));
  ASSERT_EQ(Quorvan({"/1", "/F", "/Work/Main.CPP"}).exit_code, 0);
  EXPECT_EQ(desktop_.Clipboard(), (ClipboardContents{{"CF_TEXT", "// /Work/Main.CPP (Main)\n"},
                                                     {"Quorvan Format", "\1"}}));
}

TEST_F(QuorvanProcess, AutoPasteZeroLeavesTheIdeAlone) {
  IdePeer& ide = StartIde({.selection = "void Ignored()"});
  Number("Auto Paste", 0);
  desktop_.SetClipboardText("void Mine()");
  ASSERT_EQ(Quorvan({"/0"}).exit_code, 0);
  EXPECT_EQ(desktop_.Clipboard()[0].second, "// Mine\nvoid Mine()");
  EXPECT_EQ(ide.Commands(), Strings{});
}

TEST_F(QuorvanProcess, TheLowestActionDigitWinsAndTheFileNameKeepsItsCase) {
  IdePeer& ide = StartIde({});
  ProgramResult run = Quorvan({"/3", "/f", "/Src/Lexer.Cpp", "/1"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  ASSERT_TRUE(ide.WaitForRequest("POST 273 57637 0"));
  EXPECT_EQ(ide.Commands(), (Strings{"SEND 273 91065 0", "POST 273 57637 0"}));
  EXPECT_EQ(desktop_.Clipboard()[0].second, "// /Src/Lexer.Cpp (Lexer)\n");
}

TEST_F(QuorvanProcess, FailuresLeaveTheClipboardAsItWas) {
  desktop_.SetClipboardText("no parentheses here");
  ClipboardContents before = desktop_.Clipboard();
  EXPECT_EQ(Quorvan({"/0"}).exit_code, 1);  // does not parse
  EXPECT_EQ(desktop_.Clipboard(), before);
  Setting("Function Header File", "MISSING.CTL");
  desktop_.SetClipboardText("void f()");
  before = desktop_.Clipboard();
  EXPECT_EQ(Quorvan({"/0"}).exit_code, 1);  // no control file
  EXPECT_EQ(desktop_.Clipboard(), before);
  desktop_.SetClipboard({});
  EXPECT_EQ(Quorvan({"/2"}).exit_code, 1);  // no text at all
  EXPECT_EQ(desktop_.Clipboard(), ClipboardContents{});
}

TEST_F(QuorvanProcess, TheShippedControlFilesWork) {
  Setting("Template Path", testing_support::ShippedDataDirectory());
  Setting("User ID", "jdoe");
  desktop_.SetClipboardText("BOOL CView::Draw(CDC* pDC, int nMode = 0) const");
  ASSERT_EQ(Quorvan({"/0"}).exit_code, 0);
  std::string header = desktop_.Clipboard()[0].second;
  for (const char* part : {"CView::Draw", "pDC (CDC*)", "nMode (int)", "BOOL", "jdoe",
                           "\nBOOL CView::Draw(CDC* pDC, int nMode = 0) const"}) {
    EXPECT_NE(header.find(part), std::string::npos) << part << " in\n" << header;
  }
  desktop_.SetClipboardText("int m_nCount; CString m_strName;");
  ASSERT_EQ(Quorvan({"/2"}).exit_code, 0);
  std::string access = desktop_.Clipboard()[0].second;
  for (const char* part : {"int GetCount() const { return m_nCount; }",
                           "void SetName(const CString& str) { m_strName = str; }"}) {
    EXPECT_NE(access.find(part), std::string::npos) << part << " in\n" << access;
  }
  ASSERT_EQ(Quorvan({"/1", "/F", "/src/parser.cpp"}).exit_code, 0);
  EXPECT_NE(desktop_.Clipboard()[0].second.find("Module:      parser"), std::string::npos);
}

}  // namespace

namespace {

struct DdeCase {
  const char* answer;  // how the IDE serves DDE
  int exit_code;       // of "Open Common File", which reports the IDE's answer
};

TEST_F(QuorvanProcess, OpenRequestsGoOverDdeAndOnlyAnAckCounts) {
  const DdeCase cases[] = {{"ack", 0}, {"nack", 1}, {"silent", 1}, {"", 1}};
  for (const DdeCase& c : cases) {
    TestDesktop desktop;
    desktop.Write("COMMON.CTL", "[Common Files]\nFile0=/src/My File.h\nFile1=/src/b.h\n");
    config::RegistryFileStore store(desktop.RegistryPath());
    config::Settings(store).WriteSetting("Defaults", "Template Path", desktop.root());
    IdePeer* ide = desktop.StartIde({.dde = c.answer});
    ASSERT_NE(ide, nullptr);
    // The list dialog on the terminal: an empty line keeps the first entry.
    ProgramResult open = desktop.Run("quorvan", {"/6"}, "\n");
    EXPECT_EQ(open.exit_code, c.exit_code) << c.answer << open.err;
    // The swap succeeds whatever the IDE answers.
    ProgramResult swap = desktop.Run("quorvan", {"/8", "/F", "/src/Main.cpp"});
    EXPECT_EQ(swap.exit_code, 0) << c.answer;
    Strings expected;
    if (*c.answer)
      expected = {"EXECUTE OPEN (\"/src/My File.h\")", "EXECUTE OPEN (\"/src/Main.H\")"};
    EXPECT_EQ(ide->Commands(), expected) << c.answer;
  }
}

TEST_F(QuorvanProcess, TheQuickActionsWorkOnTheIdesSelection) {
  IdePeer& ide = StartIde({.selection = "b\na\n", .column = true});
  desktop_.SetClipboardText("old ");
  ASSERT_EQ(Quorvan({"/3"}).exit_code, 0);  // append: nothing is pasted
  EXPECT_EQ(desktop_.Clipboard()[1],
            (std::pair<std::string, std::string>{"CF_TEXT", "old b\na\n"}));

  ASSERT_EQ(Quorvan({"/4", "/E", "sort"}).exit_code, 0);
  ASSERT_TRUE(ide.WaitForRequest("POST 273 57637 0"));
  EXPECT_EQ(desktop_.Clipboard()[1].second, "a\nb\n");

  // Column insert asks for its text and the translation on the terminal.
  ProgramResult column = Quorvan({"/7"}, "//\\t\ny\n");
  ASSERT_EQ(column.exit_code, 0) << column.err;
  EXPECT_EQ(desktop_.Clipboard(), (ClipboardContents{{"MSVCColumnSelect", "\1"},
                                                     {"CF_TEXT", "//\t\r\n//\t\r\n"},
                                                     {"Quorvan Format", "\1"}}));
  EXPECT_EQ(Quorvan({"/7"}, "").exit_code, 1);  // end of input cancels the dialog
  EXPECT_TRUE(testing_support::WaitUntil([&] { return ide.Commands().size() == 7; }));
  EXPECT_EQ(ide.Commands(),
            (Strings{"SEND 273 57634 0", "SEND 273 57634 0", "POST 273 57637 0", "SEND 273 57634 0",
                     "SEND 273 91062 0", "POST 273 57637 0", "SEND 273 57634 0"}));
}

TEST_F(QuorvanProcess, RichTextIsPastedAsItsSourceText) {
  desktop_.SetClipboard({{"Rich Text Format", "{\\rtf1 Hi}"}, {"CF_TEXT", "Hi"}});
  ASSERT_EQ(Quorvan({"/9"}).exit_code, 0);
  EXPECT_EQ(desktop_.Clipboard(),
            (ClipboardContents{{"CF_TEXT", "{\\rtf1 Hi}"}, {"Quorvan Format", "\1"}}));
  desktop_.SetClipboardText("plain");
  EXPECT_EQ(Quorvan({"/9"}).exit_code, 1);
}

// True while `pid` exists and is not a zombie.
bool Running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && line.size() > close + 2 && line[close + 2] != 'Z';
}

TEST_F(QuorvanProcess, ASignalDuringTheFilterEndsItAndLeavesNothing) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    desktop_.SetClipboardText("the user's text");
    const ClipboardContents before = desktop_.Clipboard();
    const std::string pid_file = desktop_.File("sleeper.pid");
    // The filter starts a process of its own, then quorvan is signalled as by a user.
    const std::string filter = "sleep 30 & echo $! > " + pid_file + "; kill -" +
                               std::to_string(signal_number) + " $PPID; wait";
    const auto start = std::chrono::steady_clock::now();
    ProgramResult run = Quorvan({"/4", "/E", filter, "/H"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_EQ(desktop_.Clipboard(), before);
    for (const auto& entry : std::filesystem::directory_iterator(desktop_.TempDirectory())) {
      EXPECT_EQ(entry.path().filename(), ".keep") << "left behind";
    }
    const pid_t sleeper = std::stoi(testing_support::ReadFile(pid_file));
    EXPECT_TRUE(testing_support::WaitUntil([&] { return !Running(sleeper); }));
  }
}

}  // namespace
