// The installation that setup's OK runs: create the destination and its two
// subdirectories, copy the three file lists from the medium, seed the configuration
// "Default" and record the destination.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "setup/file_copy.h"

namespace setup {

inline constexpr std::string_view kDialogTitle = "Pellmoor Setup";
inline constexpr std::string_view kInitialStatus = "Please enter the requested information";
inline constexpr std::string_view kCreatingDirectoryStatus = "Creating directory ";
inline constexpr std::string_view kCopyingFileStatus = "Copying file ";
inline constexpr std::string_view kDestinationError = "Error Creating destination directory";
inline constexpr std::string_view kTemplateDirectoryError = "Error Creating template directory";
inline constexpr std::string_view kResourceDirectoryError = "Error Creating resource directory";
inline constexpr std::string_view kProgramFilesError = "Unable to copy program files!";
inline constexpr std::string_view kTemplateFilesError = "Unable to copy template files!";
inline constexpr std::string_view kResourceFilesError = "Unable to copy resource files!";
inline constexpr std::string_view kAboutTitle = "About Setup";
inline constexpr std::string_view kAboutText = "Pellmoor Setup Version 1.0";

inline constexpr std::string_view kDefaultsSection = "Defaults";
inline constexpr std::string_view kBaseClassesSection = "Base Classes";
inline constexpr std::string_view kLastInstallDir = "Last Install Dir";

// What the dialog holds when OK is pressed.
struct InstallRequest {
  std::string user_name;
  std::string company_name;
  std::string destination;
  bool overwrite_control_files = false;
  bool update_registry = true;

  bool operator==(const InstallRequest&) const = default;
};

// What the installation shows while it runs.
class InstallerUi {
 public:
  virtual ~InstallerUi() = default;
  virtual void ShowStatus(std::string_view text) = 0;
  // A message box with an OK button.
  virtual void ShowMessage(std::string_view text) = 0;
  // After a failure the destination field takes the focus (on the terminal: it is
  // asked again).
  virtual void FocusDestination() = 0;
  // Offers the read-me once the installation is done; failures are silent.
  virtual void OpenReadme(const std::string& path) = 0;
};

// The dialog's presets from configuration "Default": user, company and the last
// destination (default `home` + "/pellmoor/"); the overwrite box off, the registry
// box on.
InstallRequest ReadPresets(const config::Settings& settings, std::string_view home);

// The destination as an absolute directory name with a final "/": a leading "~/"
// stands for `home`, a relative name is taken relative to `start_directory`. Empty
// for an empty field.
std::string AbsoluteDestination(std::string_view field, std::string_view start_directory,
                                std::string_view home);

class Installer {
 public:
  // `medium_directory`: where setup and every file it copies lie. `start_directory`
  // and `home` resolve a relative destination and "~/".
  Installer(const config::Settings& settings, std::string medium_directory,
            std::string start_directory, std::string home, WriteFunction write_fn = &::write);

  // One installation attempt. True when everything was installed (the dialog then
  // closes). False after a failure message, with the destination focused; what was
  // made so far stays.
  bool Install(const InstallRequest& request, InstallerUi& ui);

  // Whether any attempt ended with a failure message.
  bool failed_once() const { return failed_once_; }

 private:
  bool Fail(InstallerUi& ui, std::string_view message);
  bool MakeDirectory(const std::string& path, InstallerUi& ui);
  // Copies `files` from the medium into `target_directory`; false at the first file
  // that fails.
  bool CopyList(std::span<const std::string_view> files, const std::string& target_directory,
                bool replace, InstallerUi& ui);
  void WriteBaseClasses();

  const config::Settings& settings_;
  std::string medium_directory_;
  std::string start_directory_;
  std::string home_;
  WriteFunction write_fn_;
  bool failed_once_ = false;
};

}  // namespace setup
