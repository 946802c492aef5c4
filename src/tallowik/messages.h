// How tallowik's logic shows a message box without knowing the user interface that
// does it. Every box has an OK button and a caption; tallowik's caption is its title.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallowik {

inline constexpr std::string_view kProgramTitle = "Tallowick";

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A message box with an OK button, `caption` as its title and `text` as its body.
  virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;

  // The same with the program's title as the caption.
  void ShowMessage(std::string_view text) { ShowMessage(kProgramTitle, text); }
};

// Records what it was asked to show; for tests.
class RecordingMessageSink : public MessageSink {
 public:
  struct Shown {
    std::string caption;
    std::string text;
    bool operator==(const Shown&) const = default;
  };
  using MessageSink::ShowMessage;
  void ShowMessage(std::string_view caption, std::string_view text) override {
    shown.push_back({std::string(caption), std::string(text)});
  }

  // The texts alone, in order.
  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const Shown& s : shown) result.push_back(s.text);
    return result;
  }

  std::vector<Shown> shown;
};

}  // namespace tallowik
