// Costs of the template engine and the declaration parser. Template sizes double
// from 1 MB so that linear growth shows as doubling times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "config/memory_store.h"
#include "engine/function_declaration.h"
#include "engine/notifier.h"
#include "engine/templates.h"
#include "engine/variables.h"

namespace {

const char kTenArguments[] =
    "static CString CFoo::Format(const CString& strName, int nCount = 0, char* pszBuf, "
    "CWnd* pParent = NULL, UINT nID, BOOL bShow = TRUE, double dScale, long lParam, "
    "const char szTitle[64], void* pUser = 0) const";

// The function-header table of a 10-argument function: 8 + 9 + 4 x 10 = 57 pairs.
engine::VariableTable FunctionHeaderTable() {
  static config::MemoryStore store;
  config::Settings settings(store);
  engine::FunctionDeclaration declaration;
  engine::ParseFunctionDeclaration(kTenArguments, declaration);
  engine::VariableTable table;
  engine::AddFileUserDateVariables(table, settings, "/src/foo.cpp", engine::SystemClock());
  engine::AddFunctionVariables(table, declaration);
  return table;
}

std::string TemplateText(std::size_t bytes) {
  const std::string lines =
      "// Function: $_ClassFunc ($_Args)\n"
      "//   returns $_Return, written by $_UserID on $_Date\n"
      "//   $_ArgName3 is $_ArgReturn3, default $_ArgDefault3\n"
      "// plain comment line without any variable at all, just text\n";
  std::string text;
  text.reserve(bytes + lines.size());
  while (text.size() < bytes) text += lines;
  return text;
}

void BM_SubstituteVariables(benchmark::State& state) {
  const engine::VariableTable table = FunctionHeaderTable();
  const std::string text = TemplateText(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    std::size_t out = 0;
    std::size_t pos = 0;
    std::string line;
    while (pos < text.size()) {
      std::size_t lf = text.find('\n', pos);
      line.assign(text, pos, lf - pos + 1);
      pos = lf + 1;
      engine::SubstituteVariables(line, table);
      out += line.size();
    }
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SubstituteVariables)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_ExpandControlFile(benchmark::State& state) {
  const engine::VariableTable table = FunctionHeaderTable();
  char path[] = "/tmp/brk-bench-XXXXXX";
  int fd = mkstemp(path);
  std::string text = "[Dialog]\n[Template]\n$_StartArgRepeat\n//  $_ArgName$_ArgRepeat\n"
                     "$_EndArgRepeat\n" +
                     TemplateText(static_cast<std::size_t>(state.range(0)) << 20);
  FILE* file = fdopen(fd, "wb");
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  engine::RecordingNotifier notifier;
  for (auto _ : state) {
    engine::TextExpander expander(notifier);
    if (!expander.ExpandControlFile(path, table, 10)) state.SkipWithError("expansion failed");
    benchmark::DoNotOptimize(expander.result.size());
  }
  std::remove(path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ExpandControlFile)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_ParseFunctionDeclaration(benchmark::State& state) {
  for (auto _ : state) {
    engine::FunctionDeclaration declaration;
    benchmark::DoNotOptimize(engine::ParseFunctionDeclaration(kTenArguments, declaration));
  }
}
BENCHMARK(BM_ParseFunctionDeclaration);

void BM_ParseManyArguments(benchmark::State& state) {
  std::string text = "void f(";
  for (int i = 0; i < state.range(0); ++i) text += "const CString& str" + std::to_string(i) + ", ";
  text += "int n)";
  for (auto _ : state) {
    engine::FunctionDeclaration declaration;
    benchmark::DoNotOptimize(engine::ParseFunctionDeclaration(text, declaration));
  }
}
BENCHMARK(BM_ParseManyArguments)->Arg(10)->Arg(100)->Arg(1000);

}  // namespace
