// setup's dialog: the user's data, the destination and the two check boxes; OK runs
// the installation with the dialog open, showing its progress in the status line.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "setup/installer.h"

namespace Ui {
class SetupDialog;
}

namespace setup {

class SetupDialog : public QDialog, private InstallerUi {
  Q_OBJECT

 public:
  // How the read-me is offered after the installation; OpenWithDesktop by default.
  using ReadmeOpener = std::function<void(const std::string& path)>;

  SetupDialog(Installer& installer, const InstallRequest& presets, QWidget* parent = nullptr);
  ~SetupDialog() override;

  void SetReadmeOpener(ReadmeOpener opener) { open_readme_ = std::move(opener); }
  // The fields as they are now.
  InstallRequest Request() const;

 public slots:
  // Runs the installation; the dialog closes when it succeeds.
  void accept() override;
  void ShowAbout();

 private:
  void ShowStatus(std::string_view text) override;
  void ShowMessage(std::string_view text) override;
  void FocusDestination() override;
  void OpenReadme(const std::string& path) override;

  std::unique_ptr<Ui::SetupDialog> ui_;
  Installer& installer_;
  ReadmeOpener open_readme_;
};

}  // namespace setup
