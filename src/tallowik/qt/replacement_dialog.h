// The "Replacement String" dialog: a user string's holder and its replacement,
// neither of which may be empty.
#pragma once

#include <QDialog>
#include <memory>

#include "tallowik/user_strings.h"

namespace Ui {
class ReplacementDialog;
}

namespace tallowik {

class ReplacementDialog : public QDialog {
  Q_OBJECT

 public:
  ReplacementDialog(const UserStringPair& pair, QWidget* parent = nullptr);
  ~ReplacementDialog() override;

  // The texts as typed, not trimmed.
  UserStringPair pair() const;
  void accept() override;

 private:
  std::unique_ptr<Ui::ReplacementDialog> ui_;
};

}  // namespace tallowik
