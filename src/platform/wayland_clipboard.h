// The Wayland clipboard through the wl-clipboard programs: wl-paste reads it, wl-copy
// offers text and stays behind to serve it. wl-copy offers one type, so only the
// text reaches the clipboard; the markers and rich text do not.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/selection_clipboard.h"

namespace platform {

struct CapturedRun {
  int exit_code = -1;  // -1 when it did not start, was killed or timed out
  std::string out;
};

// Runs `words` (the first looked up on PATH) with `input` on its standard input and
// its standard error on /dev/null. With `capture`, returns what it writes to standard
// output; without, its standard output goes to /dev/null (a program that leaves a
// server behind would otherwise hold the pipe open). A run longer than `timeout_ms`
// is killed.
CapturedRun RunWithTimeout(const std::vector<std::string>& words, const std::string& input,
                           bool capture, int timeout_ms);

// Whether `program` is an executable file in a directory of `path` (a PATH value).
bool FoundOnPath(const std::string& program, const std::string& path);

class WlClipboardTransport : public SelectionTransport {
 public:
  explicit WlClipboardTransport(int timeout_ms = 10000) : timeout_ms_(timeout_ms) {}

  std::optional<std::vector<std::string>> Targets() override;
  std::optional<std::string> Read(std::string_view target) override;
  bool Publish(const std::vector<SelectionOffer>& offers) override;

 private:
  int timeout_ms_;
};

}  // namespace platform
