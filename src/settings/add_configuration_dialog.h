// The "Add Configuration" dialog: one name, refused when empty.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class AddConfigurationDialog;
}

namespace settings {

inline constexpr char kEmptyConfigurationMessage[] = "Configuration name cannot be empty";

class AddConfigurationDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AddConfigurationDialog(QWidget* parent = nullptr);
  ~AddConfigurationDialog() override;

  QString name() const;
  void accept() override;

 private:
  std::unique_ptr<Ui::AddConfigurationDialog> ui_;
};

}  // namespace settings
