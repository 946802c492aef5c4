// Costs of substitution and of one control-file expansion. Sizes double from 1 MB,
// so linear growth shows as doubling times.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/memory_store.h"
#include "control_file.h"
#include "engine/function_declaration.h"
#include "engine/notifier.h"
#include "engine/templates.h"
#include "engine/variables.h"

namespace {

// "static CString CFoo::Format(const CString& strName0 = "", ...) const" with ten
// arguments, one of them an array.
engine::FunctionDeclaration TenArguments() {
  engine::FunctionDeclaration d;
  d.static_flag = d.const_flag = 1;
  d.return_type = "CString";
  d.class_name = "CFoo";
  d.function_name = "Format";
  for (int i = 0; i < 10; ++i) {
    engine::DeclarationParts a;
    a.name = "strName" + std::to_string(i);
    a.type = "const CString&";
    a.initializer = i % 2 ? "\"\"" : "";
    a.array_count = i == 7 ? 1 : 0;
    a.declaration = a.type + " " + a.name + (a.array_count ? "[4]" : "") +
                    (a.initializer.empty() ? "" : " = " + a.initializer);
    if (!d.argument_list.empty()) d.argument_list += ", ";
    d.argument_list += a.declaration;
    d.arguments.push_back(std::move(a));
  }
  d.statement = "static CString CFoo::Format(" + d.argument_list + ") const";
  return d;
}

// The function-header table of a 10-argument function: 8 + 9 + 4 x 10 = 57 pairs.
engine::VariableTable FunctionHeaderTable() {
  config::MemoryStore store;
  config::Settings settings(store);
  settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
  settings.WriteSetting("Default", "Defaults", "Company Name", "Brackwater");
  engine::VariableTable table;
  engine::AddFileUserDateVariables(table, settings, "/src/foo.cpp", engine::SystemClock());
  engine::AddFunctionVariables(table, TenArguments());
  return table;
}

// Three lines in four carry variables; one name sits late in a line and one line
// uses the last pair of the table.
std::string TemplateText(std::size_t bytes) {
  const std::string lines =
      "// Function: $_ClassFunc ($_Args)\n"
      "//   returns $_Return, written by $_UserID of $_CompanyName on $_Date\n"
      "// plain comment line without any variable at all, just some text to read\n"
      "//   $_ArgName3 is $_ArgReturn3, default $_ArgDefault3; last $_ArgDefault9\n";
  std::string text;
  text.reserve(bytes + lines.size());
  while (text.size() < bytes) text += lines;
  return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = text.find('\n', pos);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.emplace_back(text, pos, end - pos);
    pos = end;
  }
  return lines;
}

void BM_SubstituteVariables(benchmark::State& state) {
  const engine::VariableTable table = FunctionHeaderTable();
  if (table.size() != 57) state.SkipWithError("the table should hold 57 pairs");
  const std::string text = TemplateText(static_cast<std::size_t>(state.range(0)) << 20);
  const std::vector<std::string> lines = SplitLines(text);
  std::string line;
  for (auto _ : state) {
    std::size_t out = 0;
    for (const std::string& source : lines) {
      line.assign(source);
      engine::SubstituteVariables(line, table);
      out += line.size();
    }
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SubstituteVariables)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void Expand(benchmark::State& state, const std::string& text) {
  const engine::VariableTable table = FunctionHeaderTable();
  ControlFile file(text);
  if (!file.ok()) state.SkipWithError("cannot write the control file");
  engine::RecordingNotifier notifier;
  std::size_t out = 0;
  for (auto _ : state) {
    engine::TextExpander expander(notifier);
    if (!expander.ExpandControlFile(file.path(), table, 10)) state.SkipWithError("failed");
    out = expander.result.size();
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["output_MB"] = static_cast<double>(out) / (1 << 20);
}

// Ordinary lines after a small argument block.
void BM_ExpandControlFile(benchmark::State& state) {
  Expand(state,
         "[Dialog]\n[Template]\n$_StartArgRepeat\n//  $_ArgName$_ArgRepeat\n"
         "$_EndArgRepeat\n" +
             TemplateText(static_cast<std::size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_ExpandControlFile)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// One large argument block, expanded ten times: output ten times the template.
void BM_ExpandRepeatBlock(benchmark::State& state) {
  Expand(state, "[Template]\n$_StartArgRepeat\n" +
                    TemplateText(static_cast<std::size_t>(state.range(0)) << 20) +
                    "$_ArgName$_ArgRepeat\n$_EndArgRepeat\n");
}
BENCHMARK(BM_ExpandRepeatBlock)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// A template without line feeds: every 1023 bytes a piece of its own.
void BM_ExpandOneLongLine(benchmark::State& state) {
  std::string text = TemplateText(static_cast<std::size_t>(state.range(0)) << 20);
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  Expand(state, "[Template]\n" + text);
}
BENCHMARK(BM_ExpandOneLongLine)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
