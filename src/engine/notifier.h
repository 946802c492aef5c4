// How the logic shows a message box or sounds the error beep without knowing the
// user interface that does it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine {

class Notifier {
 public:
  virtual ~Notifier() = default;
  // A message box with an OK button.
  virtual void ShowMessage(std::string_view text) = 0;
  virtual void Beep() = 0;
};

// Records what it was asked to show; for tests.
class RecordingNotifier : public Notifier {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void Beep() override { ++beeps; }

  std::vector<std::string> messages;
  int beeps = 0;
};

}  // namespace engine
