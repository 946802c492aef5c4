// Filter mode over a large selection: access functions for 1,000 and 10,000 member
// declarations, from the input text to the text for standard output (the action,
// the clipboard in memory and the line-end conversion), with LF and CR LF input.
// Each pair should grow about linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "config/memory_store.h"
#include "config/settings.h"
#include "control_file.h"
#include "platform/process.h"
#include "quorvan/command_line.h"
#include "quorvan/filter_mode.h"
#include "quorvan/scripted_ui.h"
#include "quorvan/startup.h"

namespace {

void AccessFunctionsFilter(benchmark::State& state, const char* line_end) {
  ControlFile control(
      "[Control]\nInitialIdentStrings=m_;s_\n"
      "DefaultGetTemplate=\\t$_MemberType Get$_FcnBase() const { return $_MemberName; }\\n\n"
      "[CString]\nGetTemplate=\\tconst CString& Get$_FcnBase() const { return $_MemberName; }\\n\n"
      "[charARRAY]\nEquateName=psz\n");
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Defaults", "Access Member File", control.path());
  platform::RecordingProcessRunner processes;
  quorvan::ScriptedUserInterface ui;
  quorvan::CommandLineValues command_line;
  command_line.action = 2;
  command_line.filter = true;

  const char* kinds[] = {"int m_nCount", "CString m_strName", "char m_szBuf[80]", "CWnd* m_pWnd"};
  std::string input;
  for (int i = 0; i < state.range(0); ++i) {
    input += std::string(kinds[i % 4]) + std::to_string(i) + ";" + line_end;
  }
  for (auto _ : state) {
    quorvan::FilterOutcome outcome =
        quorvan::RunFilterAction(settings, processes, ui, command_line, ".", input);
    if (outcome.exit_status != quorvan::kExitSuccess) {
      state.SkipWithError("the action failed");
      break;
    }
    benchmark::DoNotOptimize(outcome.output);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_AccessFunctionsFilterLf(benchmark::State& state) { AccessFunctionsFilter(state, "\n"); }
void BM_AccessFunctionsFilterCrLf(benchmark::State& state) { AccessFunctionsFilter(state, "\r\n"); }

}  // namespace

BENCHMARK(BM_AccessFunctionsFilterLf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AccessFunctionsFilterCrLf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
