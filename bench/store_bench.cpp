// Reads and writes of the file store on a typical file (50 keys of 10 values) and a
// large one (1000 keys), with the in-memory store for comparison.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "config/memory_store.h"
#include "config/registry_file.h"
#include "config/registry_format.h"
#include "config/settings.h"

namespace {

// A store file of `keys` configurations with ten "Defaults" values each, dated an
// hour back as a file written in an earlier session would be.
class StoreFile {
 public:
  explicit StoreFile(int keys) {
    char dir[] = "/tmp/brk-store-bench-XXXXXX";
    if (!mkdtemp(dir)) return;
    dir_ = dir;
    path_ = dir_ + "/Tallowick.reg";
    config::RegistryModel model;
    const std::string app = "HKEY_CURRENT_USER\\Software\\Brackwater Software\\Tallowick\\";
    for (int k = 0; k < keys; ++k) {
      config::RegistryKey& key =
          model.Create(app + "Config" + std::to_string(k) + "\\Defaults", "HKEY_CURRENT_USER");
      for (int v = 0; v < 9; ++v) {
        key.SetValue("Value" + std::to_string(v), config::StoredValue::Text("CLASSHDR.CTL"));
      }
      key.SetValue("Auto Paste", config::StoredValue::Number(1));
    }
    std::ofstream(path_, std::ios::binary) << config::FormatRegistryText(model);
    timespec times[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    utimensat(AT_FDCWD, path_.c_str(), times, 0);
  }
  ~StoreFile() {
    std::remove(path_.c_str());
    std::remove((path_ + ".lock").c_str());
    rmdir(dir_.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string dir_;
  std::string path_;
};

void BM_FileReadCached(benchmark::State& state) {
  StoreFile file(static_cast<int>(state.range(0)));
  config::RegistryFileStore store(file.path());
  config::Settings settings(store);
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings.ReadSetting("Config1", "Defaults", "Value5", ""));
  }
}
BENCHMARK(BM_FileReadCached)->Arg(50)->Arg(1000);

// A read in the configuration in force: "Last Configuration" first, then the value.
void BM_FileReadCurrentConfiguration(benchmark::State& state) {
  StoreFile file(static_cast<int>(state.range(0)));
  config::RegistryFileStore store(file.path());
  config::Settings settings(store);
  settings.ReadSetting("Defaults", "Auto Paste", "");  // creates the keys once
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings.ReadSettingNumber("Defaults", "Auto Paste", 1));
  }
}
BENCHMARK(BM_FileReadCurrentConfiguration)->Arg(50)->Arg(1000);

// One program start: a fresh store parses the whole file.
void BM_FileReadUncached(benchmark::State& state) {
  StoreFile file(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    config::RegistryFileStore store(file.path());
    benchmark::DoNotOptimize(
        config::Settings(store).ReadSetting("Config1", "Defaults", "Value5", ""));
  }
}
BENCHMARK(BM_FileReadUncached)->Arg(50)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_FileWrite(benchmark::State& state) {
  StoreFile file(static_cast<int>(state.range(0)));
  config::RegistryFileStore store(file.path());
  config::Settings settings(store);
  int i = 0;
  for (auto _ : state) {
    settings.WriteSetting("Config1", "Defaults", "Value5", std::to_string(i++));
  }
}
BENCHMARK(BM_FileWrite)->Arg(50)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_MemoryRead(benchmark::State& state) {
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Config1", "Defaults", "Value5", "CLASSHDR.CTL");
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings.ReadSetting("Config1", "Defaults", "Value5", ""));
  }
}
BENCHMARK(BM_MemoryRead);

void BM_MemoryWrite(benchmark::State& state) {
  config::MemoryStore store;
  config::Settings settings(store);
  int i = 0;
  for (auto _ : state) {
    settings.WriteSetting("Config1", "Defaults", "Value5", std::to_string(i++));
  }
}
BENCHMARK(BM_MemoryWrite);

}  // namespace
