// The generator's messages as message boxes over a window of the sheet.
#pragma once

#include <QPointer>
#include <QWidget>

#include "settings/message_box.h"
#include "settings/text_codec.h"
#include "tallowik/messages.h"

namespace tallowik {

class QtMessages : public MessageSink {
 public:
  explicit QtMessages(QWidget* parent) : parent_(parent) {}
  using MessageSink::ShowMessage;
  // The caption is the program's, set once for every box.
  void ShowMessage(std::string_view caption, std::string_view text) override {
    settings::ShowMessage(parent_, settings::FromBytes(text));
  }

 private:
  QPointer<QWidget> parent_;
};

}  // namespace tallowik
