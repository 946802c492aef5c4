// Costs of the declaration parser. Argument counts and text sizes grow tenfold, so
// linear growth shows as tenfold times.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/declaration.h"
#include "engine/escapes.h"
#include "engine/function_declaration.h"
#include "engine/text_ops.h"

namespace {

std::string DeclarationWithArguments(int count) {
  std::string text = "static CString CFoo::Format(";
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ", ";
    text += "const CString& strName" + std::to_string(i) + " = 0";
  }
  return text + ") const";
}

// Every kind of comment and escape, repeated to `bytes`.
std::string RepeatedTo(std::size_t bytes, const std::string& unit) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text += unit;
  return text;
}

void BM_ParseTypical(benchmark::State& state) {
  const std::string text = "void CMyView::OnDraw(CDC* pDC, const CRect& rcBounds = CRect())";
  for (auto _ : state) {
    engine::FunctionDeclaration d;
    benchmark::DoNotOptimize(engine::ParseFunctionDeclaration(text, d));
  }
}
BENCHMARK(BM_ParseTypical);

void BM_ParseArguments(benchmark::State& state) {
  const std::string text = DeclarationWithArguments(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    engine::FunctionDeclaration d;
    benchmark::DoNotOptimize(engine::ParseFunctionDeclaration(text, d));
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseArguments)->RangeMultiplier(10)->Range(10, 1000)->Complexity(benchmark::oN);

void BM_SplitDeclaration(benchmark::State& state) {
  const bool member_mode = state.range(0) != 0;
  const std::string text =
      member_mode ? "char* m_pszName[80]; // the name" : "const CString& strName = 0";
  for (auto _ : state) {
    engine::DeclarationParts parts;
    benchmark::DoNotOptimize(engine::SplitDeclaration(text, parts, member_mode, "m_;s_"));
  }
}
BENCHMARK(BM_SplitDeclaration)->Arg(0)->Arg(1);

void BM_StripComments(benchmark::State& state) {
  const std::string source =
      RepeatedTo(static_cast<std::size_t>(state.range(0)), "int n; // count\n/**/int /* a */ m;/");
  for (auto _ : state) {
    std::string text = source;
    engine::StripComments(text);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StripComments)
    ->RangeMultiplier(10)
    ->Range(100000, 10000000)
    ->Complexity(benchmark::oN);

void BM_TranslateEscapes(benchmark::State& state) {
  const std::string source = RepeatedTo(1 << 20, "\\tGet\\x41()\\101\\b\\q\\r\\n");
  for (auto _ : state) {
    std::string text = source;
    engine::TranslateEscapes(text);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size()));
}
BENCHMARK(BM_TranslateEscapes);

}  // namespace
