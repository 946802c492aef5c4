// Reads and writes of a ClassWizard-sized INI file with 1,000 and 10,000 sections.
// Every operation reads the whole file once (and a write writes it once), so the
// 10,000-section figures should be about ten times the 1,000-section ones.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/profile_file.h"

namespace {

// A file of `sections` class sections of three keys each, in a fresh directory.
class ClwFile {
 public:
  explicit ClwFile(int sections) {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/brk-profile-bench-XXXXXX";
    if (mkdtemp(dir.data())) dir_ = dir;
    path_ = dir_ + "/project.clw";
    std::ofstream out(path_, std::ios::binary);
    out << "; CLW file\r\n\r\n[General Info]\r\nClassCount=" << sections << "\r\n\r\n";
    for (int i = 0; i < sections; ++i) {
      out << "[CLS:CClass" << i << "]\r\nType=0\r\nHeaderFile=class" << i
          << ".h\r\nImplementationFile=class" << i << ".cpp\r\n\r\n";
    }
  }
  ~ClwFile() {
    std::remove(path_.c_str());
    rmdir(dir_.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string dir_;
  std::string path_;
};

void SetFileBytes(benchmark::State& state, const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.tellg()));
}

// The key sits in the last section: the whole file is scanned.
void BM_ReadLastSection(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  ClwFile file(sections);
  const std::string section = "CLS:cclass" + std::to_string(sections - 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        platform::ReadProfileString(file.path(), section, "headerfile", "", 149));
  }
  SetFileBytes(state, file.path());
}
BENCHMARK(BM_ReadLastSection)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_ReadProfileKeys(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  ClwFile file(sections);
  const std::string section = "CLS:CClass" + std::to_string(sections - 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(platform::ReadProfileKeys(file.path(), section));
  }
  SetFileBytes(state, file.path());
}
BENCHMARK(BM_ReadProfileKeys)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Replaces a value in the middle section, alternating so that every write changes it.
void BM_WriteInPlace(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  ClwFile file(sections);
  const std::string section = "CLS:CClass" + std::to_string(sections / 2);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    if (!platform::WriteProfileString(file.path(), section, "HeaderFile", flip ? "a.h" : "b.h")) {
      state.SkipWithError("write failed");
      break;
    }
  }
  SetFileBytes(state, file.path());
}
BENCHMARK(BM_WriteInPlace)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Adds a key to the last section; the file grows by one line per iteration.
void BM_WriteNewKey(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  ClwFile file(sections);
  const std::string section = "CLS:CClass" + std::to_string(sections - 1);
  int n = 0;
  for (auto _ : state) {
    if (!platform::WriteProfileString(file.path(), section, "Key" + std::to_string(n++), "1")) {
      state.SkipWithError("write failed");
      break;
    }
  }
  SetFileBytes(state, file.path());
}
BENCHMARK(BM_WriteNewKey)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
