// setup's dialog on the terminal: the answers, the retry after a failure, Cancel.
#include "setup/terminal_setup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "config/memory_store.h"
#include "config/settings.h"
#include "setup/file_lists.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

struct TerminalRun {
  int status;
  std::string output;
};

class TerminalSetupTest : public ::testing::Test {
 protected:
  TerminalSetupTest() : settings_(store_) {
    std::filesystem::create_directory(dir_.File("medium"));
    for (auto list : {ProgramFiles(), TemplateFiles(), ResourceFiles()}) {
      for (std::string_view name : list) dir_.Write("medium/" + std::string(name), "x");
    }
  }

  TerminalRun Run(const std::string& answers) {
    const std::string in = dir_.Write("answers", answers);
    const std::string out = dir_.File("output");
    FILE* input = std::fopen(in.c_str(), "r");
    FILE* output = std::fopen(out.c_str(), "w");
    Installer installer(settings_, dir_.File("medium"), dir_.path(), "/home/ann");
    TerminalSetup terminal(fileno(input), fileno(output));
    int status = terminal.Run(ReadPresets(settings_, dir_.path()), installer);
    std::fclose(input);
    std::fclose(output);
    return {status, ReadFile(out)};
  }

  std::string Value(std::string_view name) const {
    return settings_.ReadSetting("Default", "Defaults", name, "<absent>");
  }

  TempDir dir_;
  config::MemoryStore store_;
  config::Settings settings_;
};

TEST_F(TerminalSetupTest, AsksTheFieldsInTabOrderAndInstalls) {
  TerminalRun run = Run("Ann\nAcme\ndest\n\nn\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Value("Last Install Dir"), dir_.File("dest/"));
  EXPECT_EQ(Value("User ID"), "<absent>");  // the registry box was answered n
  EXPECT_EQ(run.output.find("Pellmoor Setup\nPlease enter the requested information\n"
                            "User Name: []: Company Name: []: Destination Directory: [" +
                            dir_.File("pellmoor/") +
                            "]: Overwite Existing Control Files [n]: "
                            "Update Registry Information [y]: Creating directory " +
                            dir_.File("dest/") + "\n"),
            0u)
      << run.output;
  EXPECT_NE(run.output.find("Copying file 7003.ui\n"), std::string::npos);
  EXPECT_NE(run.output.find("Please read " + dir_.File("medium/README.TXT")), std::string::npos);
}

TEST_F(TerminalSetupTest, AfterAFailureAsksTheDestinationAgainWithTheOtherAnswersKept) {
  TerminalRun run = Run("Ann\nAcme\nno/such/dir\n\n\ngood\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("Error Creating destination directory\nDestination Directory: "
                            "[no/such/dir]: "),
            std::string::npos)
      << run.output;
  EXPECT_EQ(Value("User ID"), "Ann");
  EXPECT_EQ(Value("Last Install Dir"), dir_.File("good/"));
}

TEST_F(TerminalSetupTest, EndOfInputCancelsWithTheStatusOfWhatWasShown) {
  struct Case {
    const char* answers;
    int status;
  } cases[] = {
      {"", 0},
      {"Ann\nAcme\n", 0},
      {"Ann\nAcme\nno/such/dir\n\n\n", 1},  // cancelled after the failure message
  };
  for (const Case& c : cases) {
    TerminalRun run = Run(c.answers);
    EXPECT_EQ(run.status, c.status) << c.answers;
    EXPECT_EQ(Value("Last Install Dir"), "<absent>") << c.answers;
  }
}

}  // namespace
}  // namespace setup
