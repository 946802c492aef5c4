// Any project string file and class-template line: the pairs read from the file and
// the substitution of the class values and pairs into the line.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "tallowik/class_substitution.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::SplitInput(data, size, 3);
  tallowik::NewClass new_class;
  new_class.fields.class_name = "CMyDialog";
  new_class.fields.base_class = "CDialog";
  new_class.fields.project = "demo";
  new_class.fields.resource_id = std::string(parts[2]);
  new_class.file.replacements = tallowik::ParseProjectStrings(parts[0]);
  std::string line(parts[1]);
  // Each pair may multiply the line's length by its "with" text's; inputs whose
  // result could grow past a few megabytes are skipped (they only cost time).
  std::size_t bound = line.size() + 64;
  for (const tallowik::Replacement& pair : new_class.file.replacements) {
    bound *= std::max<std::size_t>(1, pair.with.size());
    if (bound > (std::size_t{1} << 22)) return 0;
  }
  tallowik::SubstituteLine(line, new_class, "mydialog.cpp");
  return 0;
}
