// The built quorvan with prompt dialogs answered on the terminal.
#include <gtest/gtest.h>

#include "config/registry_file.h"
#include "config/settings.h"
#include "support/child_process.h"
#include "support/test_desktop.h"

namespace {

using testing_support::BuiltProgram;
using testing_support::EnvironmentChanges;
using testing_support::ProgramResult;
using testing_support::RunProgram;
using testing_support::TestDesktop;

class PromptProcess : public ::testing::Test {
 protected:
  PromptProcess() {
    Setting("Template Path", desktop_.root() + ";" + testing_support::ShippedDataDirectory());
    Setting("Function Header File", "FCNPURP.CTL");
    desktop_.SetClipboardText("int Area(int w)");
  }
  void Setting(const std::string& name, const std::string& value) {
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings(store).WriteSetting("Defaults", name, value);
  }
  std::string ClipboardText() const { return desktop_.Clipboard().at(0).second; }

  TestDesktop desktop_;
};

TEST_F(PromptProcess, TheShippedPurposeDialogIsAnsweredOnTheTerminal) {
  ProgramResult run = desktop_.Run("quorvan", {"/0"}, "Computes the area\n3\n");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  for (const char* part : {"Purpose [", "  3. Private\n", "Choice [1]: "}) {
    EXPECT_NE(run.err.find(part), std::string::npos) << part << " in\n" << run.err;
  }
  std::string header = ClipboardText();
  for (const char* part : {"// Purpose: Computes the area\n", "// Access:  Private\n",
                           "//   w (int)\n", "\nint Area(int w)"}) {
    EXPECT_NE(header.find(part), std::string::npos) << part << " in\n" << header;
  }
  EXPECT_EQ(header.find("$_DlgGet"), std::string::npos) << header;
}

TEST_F(PromptProcess, CancelAndAMissingLibraryLeaveTheClipboardAsItWas) {
  ProgramResult cancelled = desktop_.Run("quorvan", {"/0"}, "Computes the area\n");
  EXPECT_EQ(cancelled.exit_code, 1);
  EXPECT_EQ(ClipboardText(), "int Area(int w)");

  desktop_.Write("NOLIB.CTL", "[Dialog]\nResDllName=NOPE.DLL\nResID=7001\n[Template]\nx\n");
  Setting("Function Header File", "NOLIB.CTL");
  ProgramResult missing = desktop_.Run("quorvan", {"/0"}, "\n\n");
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("Unable to find resource DLL: NOPE.DLL\n"), std::string::npos)
      << missing.err;
  EXPECT_EQ(ClipboardText(), "int Area(int w)");
}

TEST_F(PromptProcess, TheShippedModuleDescriptionDialogDeliversTheCheckBoxStates) {
  Setting("Module Header File", "MODDESC.CTL");
  ASSERT_EQ(desktop_.Run("quorvan", {"/1", "/F", "/src/parser.cpp"}, "Parses\ny\n").exit_code, 0);
  EXPECT_NE(ClipboardText().find("// Description: Parses\n// Generated code:"), std::string::npos)
      << ClipboardText();
  ASSERT_EQ(desktop_.Run("quorvan", {"/1", "/F", "/src/parser.cpp"}, "\n\n").exit_code, 0);
  EXPECT_NE(ClipboardText().find("// Description: \n//\n//===="), std::string::npos)
      << ClipboardText();
}

// On the terminal Qt is loaded for a prompt dialog's layout only, on its offscreen
// platform whatever QT_QPA_PLATFORM says; an action form stays without Qt.
TEST_F(PromptProcess, OnTheTerminalOnlyAPromptDialogLoadsQt) {
  EnvironmentChanges env = desktop_.Env();
  env["LD_DEBUG"] = "files";
  env["QT_QPA_PLATFORM"] = "xcb";
  ProgramResult prompt = RunProgram(BuiltProgram("quorvan"), {"/0"}, env, "Computes\n\n");
  ASSERT_EQ(prompt.exit_code, 0) << prompt.err.substr(prompt.err.size() - 2000);
  EXPECT_NE(prompt.err.find("libQt6Widgets"), std::string::npos);
  EXPECT_NE(ClipboardText().find("// Purpose: Computes\n"), std::string::npos) << ClipboardText();

  desktop_.SetClipboardText("a\nb\n");
  ProgramResult form = RunProgram(BuiltProgram("quorvan"), {"/4"}, env, "sort -r\n\n\n");
  EXPECT_EQ(form.exit_code, 0);
  EXPECT_EQ(ClipboardText(), "b\na\n");
  EXPECT_EQ(form.err.find("libQt6"), std::string::npos);
  EXPECT_EQ(form.err.find("libquorvan_qt"), std::string::npos);
}

#ifdef BRK_PROMPT_LIBRARY_DIR
// Layout 400 asks access, then inline, then name; the other items' controls are not
// in it and must not be asked for.
TEST_F(PromptProcess, TheLayoutIsAskedInItsTabOrderAndControlsItLacksAreSkipped) {
  desktop_.Write("ORDERED.CTL", "[Dialog]\nResDllName=" BRK_PROMPT_LIBRARY_DIR
                                "/prompt_test_v3.rcc\nResID=400\n"
                                "[Name]\nType=EDIT\nControlID=1\n"
                                "[Inline]\nType=CHECK\nControlID=3\nOnState=yes\nOffState=no\n"
                                "[Access]\nType=RADIO\nStartControlID=10\nEndControlID=12\n"
                                "Default=1\nButton0=a\nButton1=b\nButton2=c\n"
                                "[Missing]\nType=EDIT\nControlID=99\n"
                                "[Off]\nType=CHECK\nControlID=98\nOffState=off\n"
                                "[Template]\n"
                                "M=$_DlgGet(\"Missing\", \"x\")/$_DlgGet(\"Off\", \"\") "
                                "N=$_DlgGet(\"Name\", \"Area\") I=$_DlgGet(\"Inline\", \"\") "
                                "A=$_DlgGet(\"Access\", \"\")\n");
  Setting("Function Header File", "ORDERED.CTL");
  ProgramResult run = desktop_.Run("quorvan", {"/0"}, "3\n\nVolume\n");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(ClipboardText().find("M=/off N=Volume I=yes A=c"), std::string::npos)
      << ClipboardText();
  const std::size_t access = run.err.find("Access\n  1. Public\n  2. Protected\n");
  const std::size_t inline_box = run.err.find("Inline [y]: ");
  const std::size_t name = run.err.find("Name [Area]: ");
  EXPECT_LT(access, inline_box) << run.err;
  EXPECT_LT(inline_box, name) << run.err;
  EXPECT_NE(name, std::string::npos) << run.err;
}
#endif

}  // namespace
