#include "quorvan/ui_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using testing_support::BuiltProgram;
using testing_support::ReadFile;

TEST(LazyQtUserInterface, LoadsTheModuleOnTheFirstThingShownNotOnABeep) {
  testing_support::TempDir dir;
  std::string log = dir.File("ui.log");
  setenv("FAKE_UI_LOG", log.c_str(), 1);
  LazyQtUserInterface ui(BuiltProgram("libquorvan_fake_ui.so"));
  ui.Beep();  // before anything is shown: the terminal's beep, no module
  EXPECT_FALSE(ui.attempted());
  EXPECT_TRUE(ui.AskYesNo("Again?"));
  EXPECT_TRUE(ui.qt_loaded());
  Form form;
  form.identifier = "Column Insert";
  EXPECT_TRUE(ui.RunForm(form));
  ui.Beep();
  ui.ShowMessage("done");
  EXPECT_EQ(ReadFile(log), "question Again?\nform Column Insert\nbeep\nmessage done\n");

  LazyQtUserInterface preloaded(BuiltProgram("libquorvan_fake_ui.so"));
  preloaded.Preload();
  EXPECT_TRUE(preloaded.qt_loaded());
  unsetenv("FAKE_UI_LOG");
}

TEST(LazyQtUserInterface, AMissingModuleFallsBackToTheTerminal) {
  LazyQtUserInterface ui("/no/such/module.so");
  // The terminal: no controlling terminal in the test, so the answer comes from
  // standard input; a closed or empty one is the end of input: No.
  ui.Beep();
  EXPECT_FALSE(ui.attempted());
  ui.ShowMessage("shown on standard error");
  EXPECT_TRUE(ui.attempted());
  EXPECT_FALSE(ui.qt_loaded());
}

}  // namespace
}  // namespace quorvan
