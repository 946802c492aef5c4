// Any command line: quorvan's and tallowik's switch reading, the shell-like word
// splitting of started commands, and placeholder insertion into templates. A value
// inserted into any template that splits must come out of the split whole.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/command_template.h"
#include "platform/process.h"
#include "quorvan/command_line.h"
#include "tallowik/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::SplitInput(data, size, 8);
  std::vector<std::string> args(parts.begin(), parts.end());
  while (!args.empty() && args.back().empty()) args.pop_back();
  (void)quorvan::ReadCommandLine(args);
  (void)tallowik::ParseArguments(args);

  const std::string_view line = parts[0];
  (void)platform::SplitCommandLine(line);
  // A template whose only placeholder is a whole word in each quoting: the value
  // must come back exactly.
  const std::string_view value = parts[1];
  const platform::TemplateValue values[] = {{"$_Filter", value, false}};
  for (const char* word : {"x $_Filter y", "x \"$_Filter\" y", "x '$_Filter' y"}) {
    std::string expanded = platform::ExpandCommandTemplate(word, values);
    std::optional<std::vector<std::string>> split = platform::SplitCommandLine(expanded);
    const bool unquoted = word[2] == '$';
    if (unquoted) continue;  // outside quotes the text is taken as typed, by design
    if (!split || split->size() != 3 || (*split)[1] != value) std::abort();
  }
  const platform::TemplateValue any[] = {
      {"$_Input", parts[2], true}, {"$_Output", parts[3], true}, {"$_Filter", value, false}};
  (void)platform::ExpandCommandTemplate(line, any);
  return 0;
}
