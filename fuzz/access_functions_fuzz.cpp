// Any member declarations with any access-member control file: the Get and Set
// functions generated from its templates, in both groupings.
#include <cstdint>
#include <string>

#include "engine/notifier.h"
#include "fuzz_support.h"
#include "quorvan/actions/access_functions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::SplitInput(data, size, 2);
  const std::string control = fuzz_support::WriteScratchFile("ACCFCN.CTL", parts[1]);
  engine::RecordingNotifier notifier;
  for (int grouping : {1002, 1003}) {
    (void)quorvan::GenerateAccessFunctions(parts[0], control, grouping, &notifier);
  }
  return 0;
}
