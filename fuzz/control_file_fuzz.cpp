// Any control file: its "[Template]" text with argument-repeat blocks, expanded
// with a variable table and argument counts as the header actions use them.
#include <cstdint>
#include <string>

#include "engine/notifier.h"
#include "engine/templates.h"
#include "engine/variables.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int argument_count = data[0] % 5;
  const std::string path = fuzz_support::WriteScratchFile(
      "template.ctl", std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  engine::VariableTable table;
  table.Append("$_Function", "Area");
  table.Append("$_ArgName", "w");
  table.Append("$_ArgType", "int");
  table.Append("$_Filename", "$_Function");  // a value that looks like a name
  engine::RecordingNotifier notifier;
  engine::TextExpander expander(notifier);
  (void)expander.ExpandControlFile(path, table, argument_count);
  (void)engine::ReadTemplateLines(
      path, argument_count, [](std::string&) {}, notifier);
  return 0;
}
