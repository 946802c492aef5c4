// Several processes on one store file: forked children act while the parent
// watches, with bounded iteration counts.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "config/registry_file.h"
#include "config/registry_format.h"
#include "config/settings.h"
#include "support/temp_dir.h"

namespace config {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

// Runs `body` in a child process, which exits 0 when it returns true.
template <typename Body>
pid_t Spawn(Body body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body() ? 0 : 1);
  return pid;
}

bool Succeeded(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(RegistryConcurrency, WritersAndKeyCreatingReadersLoseNothing) {
  TempDir dir;
  const std::string path = dir.File("Tallowick.reg");
  constexpr int kRounds = 60;
  auto writer = [&path](const char* prefix) {
    return [&path, prefix] {
      RegistryFileStore store(path);
      Settings settings(store);
      for (int i = 0; i < kRounds; ++i) {
        std::string name = prefix + std::to_string(i);
        if (!settings.WriteSetting("Default", "Race", name, name)) return false;
      }
      return true;
    };
  };
  pid_t a = Spawn(writer("a"));
  pid_t b = Spawn(writer("b"));
  pid_t reader = Spawn([&path] {
    RegistryFileStore store(path);
    for (int i = 0; i < kRounds; ++i) store.Read({"Reader" + std::to_string(i)}, "v");
    return true;
  });
  ASSERT_TRUE(Succeeded(a));
  ASSERT_TRUE(Succeeded(b));
  ASSERT_TRUE(Succeeded(reader));
  std::optional<RegistryModel> model = ParseRegistryText(ReadFile(path));
  ASSERT_TRUE(model);
  const std::string app = "HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\";
  const RegistryKey* race = model->Find(app + "Default\\Race");
  ASSERT_TRUE(race);
  for (int i = 0; i < kRounds; ++i) {
    for (const char* prefix : {"a", "b"}) {
      std::string name = prefix + std::to_string(i);
      const StoredValue* value = race->Value(name);
      EXPECT_TRUE(value && *value == StoredValue::Text(name)) << name;
    }
    EXPECT_TRUE(model->Find(app + "Reader" + std::to_string(i))) << i;
  }
}

TEST(RegistryConcurrency, AReaderRacingAWriterAlwaysSeesAWholeFile) {
  TempDir dir;
  const std::string path = dir.File("Tallowick.reg");
  {
    RegistryFileStore store(path);
    ASSERT_TRUE(Settings(store).WriteSetting("Default", "Defaults", "Seed", "1"));
  }
  pid_t writer = Spawn([&] {
    RegistryFileStore store(path);
    Settings settings(store);
    for (int i = 0; i < 150; ++i) {
      if (!settings.WriteSetting("Default", "Defaults", "Counter", std::string(i % 50, 'x'))) {
        return false;
      }
    }
    return true;
  });
  RegistryFileStore store(path);
  Settings settings(store);
  int reads = 0;
  int status = 0;
  while (waitpid(writer, &status, WNOHANG) == 0 && reads < 20000) {
    ASSERT_TRUE(ParseRegistryText(ReadFile(path)));
    ASSERT_EQ(settings.ReadSetting("Default", "Defaults", "Seed", "lost"), "1");
    ++reads;
  }
  if (reads >= 20000) waitpid(writer, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_GT(reads, 0);
}

TEST(RegistryConcurrency, AKilledWriterLeavesAWholeFile) {
  TempDir dir;
  const std::string path = dir.File("Tallowick.reg");
  {
    RegistryFileStore store(path);
    ASSERT_TRUE(Settings(store).WriteSetting("Default", "Defaults", "Seed", "1"));
  }
  for (int round = 0; round < 5; ++round) {
    pid_t writer = Spawn([&] {
      RegistryFileStore store(path);
      Settings settings(store);
      for (int i = 0; i < 100000; ++i) {
        settings.WriteSettingNumber("Default", "Defaults", "N" + std::to_string(i % 300), i);
      }
      return true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + 7 * round));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    RegistryFileStore store(path);
    EXPECT_EQ(Settings(store).ReadSetting("Default", "Defaults", "Seed", "lost"), "1");
    ASSERT_TRUE(ParseRegistryText(ReadFile(path)));
  }
}

}  // namespace
}  // namespace config
