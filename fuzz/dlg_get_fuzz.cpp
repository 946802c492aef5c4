// Any template text and control file: the "$_DlgGet" expressions found in the text
// and the control descriptions read for them, as a prompt dialog is prepared.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "quorvan/prompt_step.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::SplitInput(data, size, 3);
  std::vector<engine::DlgGetItem> items;
  quorvan::ParseDlgGetItems(std::string(parts[0]), items);
  for (const engine::DlgGetItem& item : items) {
    if (std::string(parts[0]).find(item.expression) == std::string::npos) std::abort();
  }
  (void)quorvan::PromptKind(parts[1]);
  const std::string control = fuzz_support::WriteScratchFile("prompt.ctl", parts[2]);
  quorvan::PromptDialog dialog = quorvan::DescribePromptDialog(control, items);
  if (dialog.controls.size() != items.size()) std::abort();
  for (quorvan::PromptControl& answered : dialog.controls) {
    answered.found = true;
    answered.text = "answer";
    answered.checked = true;
    answered.selected_position = 1;
  }
  quorvan::ApplyPromptAnswers(control, dialog, items);
  return 0;
}
