// Writers of the configuration store and of the clipboard killed at random moments
// leave the file (old or new, whole) and its lock, and nothing that accumulates.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "config/registry_file.h"
#include "config/replace_file.h"
#include "config/settings.h"
#include "platform/clipboard.h"
#include "support/temp_dir.h"

namespace {

using Names = std::set<std::string>;

Names FilesIn(const std::string& directory) {
  Names names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Runs `write` in a loop in a child process and kills the child `rounds` times at
// random moments, each time while it is writing or between two writes.
void KillWritersRepeatedly(const std::function<void(int round)>& write, int rounds) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay_us(0, 15000);
  for (int round = 0; round < rounds; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int n = 0;; ++n) write(round * 1000 + n);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delay_us(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
  }
}

std::string Big(int round) { return std::string(2 << 20, static_cast<char>('a' + round % 26)); }

TEST(KilledWriters, LeaveOnlyTheStoreAndItsLock) {
  testing_support::TempDir dir;
  const std::string path = dir.File("Tallowick.reg");
  KillWritersRepeatedly(
      [&](int round) {
        config::RegistryFileStore store(path);
        config::Settings(store).WriteSetting("Defaults", "Big", Big(round));
      },
      60);
  config::RegistryFileStore store(path);
  config::Settings settings(store);
  const std::string value = settings.ReadSetting("Defaults", "Big", "");
  EXPECT_TRUE(value.empty() || value == std::string(value.size(), value[0]));
  settings.WriteSetting("Defaults", "Small", "x");  // a writer after the killed ones
  EXPECT_EQ(FilesIn(dir.path()), (Names{"Tallowick.reg", "Tallowick.reg.lock"}));
}

TEST(KilledWriters, LeaveOnlyTheClipboardAndItsLock) {
  testing_support::TempDir dir;
  KillWritersRepeatedly(
      [&](int round) {
        platform::FileClipboard clipboard(dir.path());
        if (!clipboard.Open()) return;
        clipboard.SetData(platform::Clipboard::kText, Big(round));
        clipboard.Close();
      },
      60);
  platform::FileClipboard clipboard(dir.path());
  ASSERT_TRUE(clipboard.Open());
  clipboard.SetData(platform::Clipboard::kText, "x");
  EXPECT_TRUE(clipboard.Close());
  EXPECT_EQ(FilesIn(dir.path()), (Names{"clipboard", "clipboard.lock"}));
}

// A temporary file left between naming and renaming (or by a writer on a file
// system without unnamed files) is removed by the next writer that holds the lock.
TEST(KilledWriters, NextLockedWriterRemovesLeftovers) {
  testing_support::TempDir dir;
  const std::string target = dir.File("store");
  const std::string leftover = config::TemporaryPrefix(target) + "99999-0";
  const std::string other = dir.File(".storex.tmp-1-0");  // another file's: kept
  for (bool locked : {false, true}) {
    SCOPED_TRACE(locked);
    std::ofstream(leftover) << "stale";
    std::ofstream(other) << "kept";
    std::string_view text = "new";
    ASSERT_TRUE(config::ReplaceFile(target, std::span<const std::string_view>(&text, 1),
                                    config::ReplaceOptions{.writers_locked = locked}));
    EXPECT_EQ(std::filesystem::exists(leftover), !locked);
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_EQ(testing_support::ReadFile(target), "new");
  }
}

}  // namespace
