// Any ClassWizard file: counting, listing and registering classes and resources and
// the last-used values; a registered class is listed afterwards.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "tallowik/class_wizard_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::SplitInput(data, size, 2);
  (void)tallowik::ParseClwCount(parts[1]);
  const std::string clw = fuzz_support::WriteScratchFile("demo.clw", parts[0]);
  (void)tallowik::ListClwResources(clw);
  const std::vector<std::string> before = tallowik::ListClwClasses(clw);
  tallowik::LastUsed last = tallowik::LoadLastUsed(clw);
  tallowik::SaveLastUsed(clw, last);
  tallowik::RegisterClass(clw, "fuzzdlg.h", "fuzzdlg.cpp", "CFuzzDialog");
  (void)tallowik::ListClwClasses(clw);
  return 0;
}
