#include "tallowik/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"
#include "test_support.h"

namespace tallowik {
namespace {

using Args = std::vector<std::string>;
using tallowik_testing::CurrentDirectory;
using tallowik_testing::CurrentDirectoryGuard;
using testing_support::TempDir;

TEST(ParseArguments, Table) {
  struct Case {
    const char* name;
    Args args;
    bool valid;
    const char* project;
    const char* directory;
  } cases[] = {
      {"extension cut", {"MYAPP.MAK", "/src/myapp"}, true, "MYAPP", "/src/myapp"},
      {"cut at the first period", {"my.app.mak", "d"}, true, "my", "d"},
      {"/N after", {"MYAPP.MAK", "/src/myapp", "/N"}, true, "MYAPP.MAK", "/src/myapp"},
      {"/N before", {"/N", "MYAPP.MAK", "/src/myapp"}, true, "MYAPP.MAK", "/src/myapp"},
      {"lower-case /n is an argument", {"MYAPP.MAK", "d", "/n"}, true, "MYAPP", "d"},
      {"/N inside a directory does not count",
       {"MYAPP.MAK", "/src/Nproj"},
       true,
       "MYAPP",
       "/src/Nproj"},
      {"/N inside an argument does not count", {"MYAPP.MAK", "d", "/NO"}, true, "MYAPP", "d"},
      {"further arguments ignored", {"A.B", "d", "e", "f"}, true, "A", "d"},
      {"no arguments", {}, false, "", ""},
      {"one argument", {"MYAPP.MAK"}, false, "", ""},
      {"one argument and /N", {"MYAPP.MAK", "/N"}, false, "", ""},
  };
  for (const Case& c : cases) {
    std::optional<ProjectArguments> parsed = ParseArguments(c.args);
    ASSERT_EQ(parsed.has_value(), c.valid) << c.name;
    if (!parsed) continue;
    EXPECT_EQ(parsed->project_name, c.project) << c.name;
    EXPECT_EQ(parsed->project_directory, c.directory) << c.name;
  }
}

TEST(CheckCommandLine, TooFewArguments) {
  RecordingMessageSink messages;
  EXPECT_FALSE(CheckCommandLine(Args{"MYAPP"}, messages));
  EXPECT_EQ(messages.shown,
            (std::vector<RecordingMessageSink::Shown>{
                {"Tallowick",
                 "Tallowick Sytnax:\n TALLOWIK ProjectName ProjectDirectory /N[o Check for "
                 "extension]"}}));
}

TEST(CheckCommandLine, ChangesIntoTheProjectDirectory) {
  TempDir dir;
  CurrentDirectoryGuard restore("/");
  RecordingMessageSink messages;
  std::optional<ProjectArguments> project =
      CheckCommandLine(Args{"MYAPP.MAK", dir.path()}, messages);
  ASSERT_TRUE(project);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(project->project_name, "MYAPP");
  EXPECT_EQ(project->project_directory, dir.path());
  char real[4096];
  ASSERT_TRUE(realpath(dir.path().c_str(), real));
  EXPECT_EQ(CurrentDirectory(), real);
  EXPECT_EQ(ClassWizardFileName(project->project_name), std::string(real) + "/MYAPP.clw");
}

TEST(CheckCommandLine, UnusableDirectories) {
  TempDir dir;
  CurrentDirectoryGuard restore(dir.path());
  const std::string file = dir.Write("file", "x");
  const std::string missing = dir.File("missing");
  const std::string no_search = dir.File("nosearch");
  const std::string read_only = dir.File("readonly");
  mkdir(no_search.c_str(), 0600);
  mkdir(read_only.c_str(), 0500);
  struct Case {
    std::string directory;
    std::string message;
    bool needs_permissions;
  } cases[] = {
      {missing, "Project directory " + missing + " does not exist!", false},
      {file, "Project directory " + file + " does not exist!", false},
      {"", "Project directory  does not exist!", false},
      {read_only, "Project directory " + read_only + " does not exist!", true},
      {no_search, "Unable to change to Project directory " + no_search + "!", true},
  };
  char real[4096];
  ASSERT_TRUE(realpath(dir.path().c_str(), real));
  const bool privileged = geteuid() == 0;
  for (const Case& c : cases) {
    if (c.needs_permissions && privileged) continue;  // permissions do not bind
    RecordingMessageSink messages;
    EXPECT_FALSE(CheckCommandLine(Args{"P", c.directory}, messages)) << c.directory;
    EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(CurrentDirectory(), real) << c.directory;
  }
  chmod(no_search.c_str(), 0700);
  chmod(read_only.c_str(), 0700);
}

}  // namespace
}  // namespace tallowik
