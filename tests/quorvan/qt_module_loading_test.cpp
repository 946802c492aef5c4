// quorvan links no Qt: an action that shows nothing never loads the UI module, and
// a run that needs a window loads it and fails cleanly when no display answers.
#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/test_desktop.h"
#include "support/xvfb.h"

namespace {

using testing_support::BuiltProgram;
using testing_support::EnvironmentChanges;
using testing_support::ProgramResult;
using testing_support::RunProgram;
using testing_support::TestDesktop;

bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(QtModuleLoading, TheProgramHasNoQtDependency) {
  ProgramResult dynamic = RunProgram("/usr/bin/readelf", {"-d", BuiltProgram("quorvan")}, {});
  ASSERT_EQ(dynamic.exit_code, 0) << dynamic.err;
  EXPECT_TRUE(Mentions(dynamic.out, "(NEEDED)"));
  EXPECT_FALSE(Mentions(dynamic.out, "libQt")) << dynamic.out;
}

TEST(QtModuleLoading, OnlyARunThatShowsSomethingLoadsTheModule) {
  TestDesktop desktop;
  EnvironmentChanges env = desktop.Env();
  // A display is named (one nobody serves), so only the need to show something
  // decides whether the module is loaded.
  env["DISPLAY"] = testing_support::UnusedDisplay();
  env["QUORVAN_UI"] = std::nullopt;
  env["LD_DEBUG"] = "files";

  // Clipboard Append on an empty clipboard fails with the beep only.
  ProgramResult quiet = RunProgram(BuiltProgram("quorvan"), {"/3"}, env);
  EXPECT_EQ(quiet.exit_code, 1);
  EXPECT_FALSE(Mentions(quiet.err, "libquorvan_qt")) << quiet.err.substr(0, 2000);
  EXPECT_FALSE(Mentions(quiet.err, "libQt6"));

  // The settings sheet loads the module, which finds no display and says so.
  ProgramResult sheet = RunProgram(BuiltProgram("quorvan"), {}, env);
  EXPECT_EQ(sheet.exit_code, 2);
  EXPECT_TRUE(Mentions(sheet.err, "libquorvan_qt.so"));
  EXPECT_TRUE(Mentions(sheet.err, "the settings sheet needs a display"));
}

}  // namespace
