// One external filter round trip through the action: the selection is written to a
// temporary file, run through `cat` by the default redirect command line (a shell
// with "<" and ">"), read back and put on the clipboard. Sizes grow tenfold, so
// linear growth shows as tenfold times once the fixed cost of starting the shell
// and `cat` no longer dominates.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "config/memory_store.h"
#include "config/settings.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/actions/actions.h"
#include "quorvan/app.h"
#include "quorvan/scripted_ui.h"

namespace {

// Source-like lines of about 40 bytes up to `size` bytes.
std::string Selection(std::size_t size) {
  std::string text;
  text.reserve(size + 64);
  for (int line = 0; text.size() < size; ++line) {
    text += "    int member" + std::to_string(line) + " = value * 2;  // x\n";
  }
  text.resize(size);
  return text;
}

void BM_RedirectFilterRoundTrip(benchmark::State& state) {
  const std::string selection = Selection(static_cast<std::size_t>(state.range(0)));
  config::MemoryStore store;
  config::Settings settings(store);
  platform::MemoryClipboard clipboard;
  platform::RecordingIdeLink ide;
  platform::PosixProcessRunner processes;
  quorvan::ScriptedUserInterface ui;
  quorvan::CommandLineValues command_line;
  command_line.has_filter_command = true;
  command_line.filter_command = "cat";
  command_line.show_state = platform::kShowHidden;
  ide.on_copy = [&] { clipboard.Put(platform::kTextFormatName, selection); };

  for (auto _ : state) {
    quorvan::App app{settings, clipboard, ide, processes, ui, command_line, "."};
    if (!quorvan::ExternalFilterAction(app)) {
      state.SkipWithError("filter failed");
      break;
    }
    ide.requests.clear();
  }
  if (clipboard.Get(platform::kTextFormatName) != selection) {
    state.SkipWithError("output differs from the selection");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(selection.size()));
}
BENCHMARK(BM_RedirectFilterRoundTrip)
    ->Arg(1 << 10)
    ->Arg(10 << 10)
    ->Arg(100 << 10)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
