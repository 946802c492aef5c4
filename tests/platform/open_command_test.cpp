// Open requests run the open command line.
#include "platform/open_command.h"

#include <gtest/gtest.h>

#include "config/memory_store.h"
#include "config/settings.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

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
