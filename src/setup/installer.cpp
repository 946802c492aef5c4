#include "setup/installer.h"

#include <sys/stat.h>

#include <cerrno>

#include "setup/file_lists.h"

namespace setup {
namespace {

constexpr std::string_view kConfiguration = config::kDefaultConfiguration;

struct BaseClassCategory {
  std::string_view description;
  std::string_view base_class;
  std::string_view header_template;
  std::string_view source_template;
  std::string_view specific_prompt;  // empty: not written
};

constexpr BaseClassCategory kCategories[] = {
    {"Modal Dialog Box", "CDialog", "MODALDLG.H", "MODALDLG.CPP", ""},
    {"Modeless Dialog Box", "CDialog", "MODELESS.H", "MODELESS.CPP", ""},
    {"Window", "CWnd", "WND.H", "WND.CPP", ""},
    {"Main Dialog App", "CWinApp", "DLGAPP.H", "DLGAPP.CPP", "Main Dialog Class Name"},
    {"Main Dialog Box", "CDialog", "MAINDLG.H", "MAINDLG.CPP", ""},
};

bool IsDirectory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string WithFinalSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

InstallRequest ReadPresets(const config::Settings& settings, std::string_view home) {
  InstallRequest presets;
  presets.user_name = settings.ReadSetting(kConfiguration, kDefaultsSection, "User ID", "");
  presets.company_name = settings.ReadSetting(kConfiguration, kDefaultsSection, "Company Name", "");
  presets.destination = settings.ReadSetting(kConfiguration, kDefaultsSection, kLastInstallDir,
                                             WithFinalSlash(std::string(home)) + "pellmoor/");
  return presets;
}

std::string AbsoluteDestination(std::string_view field, std::string_view start_directory,
                                std::string_view home) {
  if (field.empty()) return {};
  std::string path;
  if (field == "~" || field.starts_with("~/")) {
    path = WithFinalSlash(std::string(home)) + std::string(field.substr(field.size() > 1 ? 2 : 1));
  } else if (field.front() == '/') {
    path = std::string(field);
  } else {
    path = WithFinalSlash(std::string(start_directory)) + std::string(field);
  }
  return WithFinalSlash(std::move(path));
}

Installer::Installer(const config::Settings& settings, std::string medium_directory,
                     std::string start_directory, std::string home, WriteFunction write_fn)
    : settings_(settings),
      medium_directory_(WithFinalSlash(std::move(medium_directory))),
      start_directory_(std::move(start_directory)),
      home_(std::move(home)),
      write_fn_(write_fn) {}

bool Installer::Fail(InstallerUi& ui, std::string_view message) {
  failed_once_ = true;
  ui.ShowMessage(message);
  ui.FocusDestination();
  return false;
}

bool Installer::MakeDirectory(const std::string& path, InstallerUi& ui) {
  ui.ShowStatus(std::string(kCreatingDirectoryStatus) + path);
  // Only the last level is made; an existing directory is fine.
  ::mkdir(path.c_str(), 0755);
  return IsDirectory(path);
}

bool Installer::CopyList(std::span<const std::string_view> files,
                         const std::string& target_directory, bool replace, InstallerUi& ui) {
  for (std::string_view name : files) {
    ui.ShowStatus(std::string(kCopyingFileStatus) + std::string(name));
    CopyResult result = CopyInstallFile(medium_directory_ + std::string(name),
                                        target_directory + std::string(name), replace, write_fn_);
    if (result == CopyResult::kFailed) return false;
  }
  return true;
}

void Installer::WriteBaseClasses() {
  const int count = static_cast<int>(std::size(kCategories));
  settings_.WriteSettingNumber(kConfiguration, kBaseClassesSection, "Number", count);
  for (int i = 0; i < count; ++i) {
    const BaseClassCategory& category = kCategories[i];
    const std::string index = std::to_string(i);
    settings_.WriteSetting(kConfiguration, kBaseClassesSection, "Class Description" + index,
                           category.description);
    const std::string section = "Class Number " + index;
    settings_.WriteSetting(kConfiguration, section, "Base Class", category.base_class);
    settings_.WriteSetting(kConfiguration, section, "Header Template", category.header_template);
    settings_.WriteSetting(kConfiguration, section, "Source Template", category.source_template);
    if (!category.specific_prompt.empty()) {
      settings_.WriteSetting(kConfiguration, section, "Class Specific Prompt",
                             category.specific_prompt);
    }
    settings_.WriteSettingNumber(kConfiguration, section, "Add to CLW", 1);
  }
}

bool Installer::Install(const InstallRequest& request, InstallerUi& ui) {
  const std::string destination = AbsoluteDestination(request.destination, start_directory_, home_);
  if (destination.empty()) return Fail(ui, kDestinationError);
  if (!MakeDirectory(destination, ui)) return Fail(ui, kDestinationError);
  const std::string template_directory = destination + std::string(kTemplateDirectory);
  if (!MakeDirectory(template_directory, ui)) return Fail(ui, kTemplateDirectoryError);
  const std::string resource_directory = destination + std::string(kResourceDirectory);
  if (!MakeDirectory(resource_directory, ui)) return Fail(ui, kResourceDirectoryError);

  if (!CopyList(ProgramFiles(), destination, true, ui)) return Fail(ui, kProgramFilesError);
  if (!CopyList(TemplateFiles(), template_directory, request.overwrite_control_files, ui))
    return Fail(ui, kTemplateFilesError);
  if (!CopyList(ResourceFiles(), resource_directory, true, ui))
    return Fail(ui, kResourceFilesError);

  if (request.update_registry) {
    settings_.WriteSetting(kConfiguration, kDefaultsSection, "User ID", request.user_name);
    settings_.WriteSetting(kConfiguration, kDefaultsSection, "Company Name", request.company_name);
    settings_.WriteSetting(kConfiguration, kDefaultsSection, "Template Path", template_directory);
    WriteBaseClasses();
  }
  settings_.WriteSetting(kConfiguration, kDefaultsSection, kLastInstallDir, destination);
  ui.OpenReadme(medium_directory_ + std::string(kReadmeFile));
  return true;
}

}  // namespace setup
