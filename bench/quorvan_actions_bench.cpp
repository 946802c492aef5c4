// The clipboard actions on large selections: access functions for 1,000 and 10,000
// members, a function header for declarations of 100 and 1,000 arguments with a
// per-argument block. Each pair should grow about linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "config/memory_store.h"
#include "control_file.h"
#include "quorvan/actions/access_functions.h"
#include "quorvan/actions/header_actions.h"
#include "quorvan/scripted_ui.h"

namespace {

void BM_AccessFunctions(benchmark::State& state) {
  ControlFile control(
      "[Control]\nInitialIdentStrings=m_;s_\n"
      "DefaultGetTemplate=\\t$_MemberType Get$_FcnBase() const { return $_MemberName; }\\n\n"
      "[CString]\nGetTemplate=\\tconst CString& Get$_FcnBase() const { return $_MemberName; }\\n\n"
      "[charARRAY]\nEquateName=psz\n");
  const char* kinds[] = {"int m_nCount", "CString m_strName", "char m_szBuf[80]", "CWnd* m_pWnd"};
  std::string text;
  for (int i = 0; i < state.range(0); ++i)
    text += std::string(kinds[i % 4]) + std::to_string(i) + ";\n";
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        quorvan::GenerateAccessFunctions(text, control.path(), quorvan::kGroupByAction, nullptr));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AccessFunctions)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FunctionHeader(benchmark::State& state) {
  ControlFile control(
      "[Template]\n// $_ClassFunc returns $_Return\n$_StartArgRepeat\n"
      "//  $_ArgName$_ArgRepeat: $_ArgReturn$_ArgRepeat = $_ArgDefault$_ArgRepeat\n"
      "$_EndArgRepeat\n$_FcnStatement\n");
  std::string declaration = "int CView::Draw(";
  for (int i = 0; i < state.range(0); ++i) {
    declaration += (i ? ", " : "") + std::string("const CString& strArgument") + std::to_string(i) +
                   " = \"x\"";
  }
  declaration += ") const";
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Defaults", "Function Header File", control.path());
  platform::MemoryClipboard clipboard;
  platform::RecordingIdeLink ide;
  platform::RecordingProcessRunner processes;
  quorvan::ScriptedUserInterface ui;
  quorvan::App app{settings, clipboard, ide, processes, ui, {}, "."};
  engine::SystemClock clock;
  for (auto _ : state) {
    clipboard = platform::MemoryClipboard();  // unmarked, so no question is asked
    clipboard.Put("CF_TEXT", declaration);
    if (!quorvan::FunctionHeader(app, clock)) state.SkipWithError("the header failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FunctionHeader)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
