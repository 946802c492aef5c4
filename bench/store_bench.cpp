// Reads and writes of the file store, with the in-memory store for comparison.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "config/memory_store.h"
#include "config/registry_file.h"
#include "config/settings.h"

namespace {

// A store file with `keys` configuration keys of ten values each.
std::string MakeStore(int keys) {
  char dir[] = "/tmp/brk-store-bench-XXXXXX";
  if (!mkdtemp(dir)) return {};
  std::string path = std::string(dir) + "/Tallowick.reg";
  config::RegistryFileStore store(path);
  config::Settings settings(store);
  for (int k = 0; k < keys; ++k) {
    for (int v = 0; v < 10; ++v) {
      settings.WriteSetting("Config" + std::to_string(k), "Defaults", "Value" + std::to_string(v),
                            "some typical value text");
    }
  }
  return path;
}

void Remove(const std::string& path) {
  std::remove(path.c_str());
  std::remove((path + ".lock").c_str());
  rmdir(path.substr(0, path.rfind('/')).c_str());
}

void BM_FileReadCached(benchmark::State& state) {
  std::string path = MakeStore(static_cast<int>(state.range(0)));
  config::RegistryFileStore store(path);
  config::Settings settings(store);
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings.ReadSetting("Config1", "Defaults", "Value5", ""));
  }
  Remove(path);
}
BENCHMARK(BM_FileReadCached)->Arg(50)->Arg(1000);

void BM_FileReadUncached(benchmark::State& state) {
  std::string path = MakeStore(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    config::RegistryFileStore store(path);  // one program start: a fresh parse
    benchmark::DoNotOptimize(config::Settings(store).ReadSetting("Config1", "Defaults", "Value5", ""));
  }
  Remove(path);
}
BENCHMARK(BM_FileReadUncached)->Arg(50)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_FileWrite(benchmark::State& state) {
  std::string path = MakeStore(static_cast<int>(state.range(0)));
  config::RegistryFileStore store(path);
  config::Settings settings(store);
  int i = 0;
  for (auto _ : state) {
    settings.WriteSetting("Config1", "Defaults", "Value5", std::to_string(i++));
  }
  Remove(path);
}
BENCHMARK(BM_FileWrite)->Arg(50)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_MemoryRead(benchmark::State& state) {
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Config1", "Defaults", "Value5", "some typical value text");
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings.ReadSetting("Config1", "Defaults", "Value5", ""));
  }
}
BENCHMARK(BM_MemoryRead);

}  // namespace
