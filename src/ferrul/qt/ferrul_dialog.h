// ferrul's dialog: the awk script to run, Enter starting a new line in it.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class FerrulDialog;
}

namespace ferrul {

class FerrulDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FerrulDialog(const std::string& script, QWidget* parent = nullptr);
  ~FerrulDialog() override;

  std::string Script() const;

 public slots:
  void ShowAbout();

 private:
  std::unique_ptr<Ui::FerrulDialog> ui_;
};

}  // namespace ferrul
