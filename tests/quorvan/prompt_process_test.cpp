// The built quorvan with prompt dialogs answered on the terminal.
#include <gtest/gtest.h>

#include "config/registry_file.h"
#include "config/settings.h"
#include "support/child_process.h"
#include "support/test_desktop.h"

namespace {

using testing_support::ProgramResult;
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

}  // namespace
