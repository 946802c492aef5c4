// The installation steps against a temporary medium, a temporary destination and
// the in-memory store.
#include "setup/installer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "config/memory_store.h"
#include "config/settings.h"
#include "setup/file_lists.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

class RecordingUi : public InstallerUi {
 public:
  void ShowStatus(std::string_view text) override { statuses.emplace_back(text); }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void FocusDestination() override { ++focus_requests; }
  void OpenReadme(const std::string& path) override { readmes.push_back(path); }

  std::vector<std::string> statuses;
  std::vector<std::string> messages;
  int focus_requests = 0;
  std::vector<std::string> readmes;
};

ssize_t FailingWrite(int, const void*, std::size_t) {
  errno = ENOSPC;
  return -1;
}

// Members are public so that the table of failing steps can arrange them.
class InstallerTest : public ::testing::Test {
 public:
  InstallerTest() : settings_(store_) {
    std::filesystem::create_directory(medium_.File("medium"));
    for (auto list : {ProgramFiles(), TemplateFiles(), ResourceFiles()}) {
      for (std::string_view name : list)
        medium_.Write("medium/" + std::string(name), Original(name));
    }
  }

  static std::string Original(std::string_view name) { return "medium " + std::string(name); }
  std::string Medium() const { return medium_.File("medium"); }
  std::string Destination() const { return target_.File("pellmoor") + "/"; }

  InstallRequest Request() const {
    return {.user_name = "Ann Smith", .company_name = "Acme", .destination = Destination()};
  }

  bool Install(const InstallRequest& request, WriteFunction write_fn = &::write) {
    Installer installer(settings_, Medium(), target_.path(), "/home/ann", write_fn);
    return installer.Install(request, ui_);
  }

  std::string Value(std::string_view subsection, std::string_view name) const {
    return settings_.ReadSetting("Default", subsection, name, "<absent>");
  }

  TempDir medium_;
  TempDir target_;
  config::MemoryStore store_;
  config::Settings settings_;
  RecordingUi ui_;
};

TEST_F(InstallerTest, AFreshInstallCopiesEveryListAndSeedsTheStore) {
  ASSERT_TRUE(Install(Request()));
  EXPECT_TRUE(ui_.messages.empty());
  for (std::string_view name : ProgramFiles())
    EXPECT_EQ(ReadFile(Destination() + std::string(name)), Original(name));
  for (std::string_view name : TemplateFiles())
    EXPECT_EQ(ReadFile(Destination() + "Template/" + std::string(name)), Original(name));
  for (std::string_view name : ResourceFiles())
    EXPECT_EQ(ReadFile(Destination() + "Resource/" + std::string(name)), Original(name));

  EXPECT_EQ(Value("Defaults", "User ID"), "Ann Smith");
  EXPECT_EQ(Value("Defaults", "Company Name"), "Acme");
  EXPECT_EQ(Value("Defaults", "Template Path"), Destination() + "Template/");
  EXPECT_EQ(Value("Defaults", "Last Install Dir"), Destination());
  EXPECT_EQ(settings_.ReadSettingNumber("Default", "Base Classes", "Number", 0), 5);
  EXPECT_EQ(ui_.readmes, std::vector<std::string>{Medium() + "/README.TXT"});

  // The status line names each directory, then each file, in order.
  ASSERT_GE(ui_.statuses.size(), 3u);
  EXPECT_EQ(ui_.statuses[0], "Creating directory " + Destination());
  EXPECT_EQ(ui_.statuses[1], "Creating directory " + Destination() + "Template/");
  EXPECT_EQ(ui_.statuses[2], "Creating directory " + Destination() + "Resource/");
  EXPECT_EQ(ui_.statuses[3], "Copying file tallowik");
  EXPECT_EQ(ui_.statuses.back(), "Copying file 7003.ui");
}

TEST_F(InstallerTest, WritesTheFiveBaseClassCategories) {
  ASSERT_TRUE(Install(Request()));
  struct Category {
    const char* description;
    const char* base;
    const char* header;
    const char* source;
    const char* prompt;
  } expected[] = {
      {"Modal Dialog Box", "CDialog", "MODALDLG.H", "MODALDLG.CPP", "<absent>"},
      {"Modeless Dialog Box", "CDialog", "MODELESS.H", "MODELESS.CPP", "<absent>"},
      {"Window", "CWnd", "WND.H", "WND.CPP", "<absent>"},
      {"Main Dialog App", "CWinApp", "DLGAPP.H", "DLGAPP.CPP", "Main Dialog Class Name"},
      {"Main Dialog Box", "CDialog", "MAINDLG.H", "MAINDLG.CPP", "<absent>"},
  };
  for (int i = 0; i < 5; ++i) {
    const std::string section = "Class Number " + std::to_string(i);
    EXPECT_EQ(Value("Base Classes", "Class Description" + std::to_string(i)),
              expected[i].description);
    EXPECT_EQ(Value(section, "Base Class"), expected[i].base);
    EXPECT_EQ(Value(section, "Header Template"), expected[i].header);
    EXPECT_EQ(Value(section, "Source Template"), expected[i].source);
    EXPECT_EQ(Value(section, "Class Specific Prompt"), expected[i].prompt);
    EXPECT_EQ(settings_.ReadSettingNumber("Default", section, "Add to CLW", 0), 1);
  }
}

TEST_F(InstallerTest, ReinstallingReplacesProgramsAndKeepsEditedControlFilesUnlessAsked) {
  ASSERT_TRUE(Install(Request()));
  const std::string edited_template = Destination() + "Template/FCNHDR.CTL";
  const std::string program = Destination() + "quorvan";
  const std::string resource = Destination() + "Resource/7001.ui";
  for (const std::string& path : {edited_template, program, resource}) {
    std::filesystem::remove(path);
    target_.Write(path.substr(target_.path().size() + 1), "edited");
  }

  ASSERT_TRUE(Install(Request()));
  EXPECT_EQ(ReadFile(edited_template), "edited");
  EXPECT_EQ(ReadFile(program), Original("quorvan"));
  EXPECT_EQ(ReadFile(resource), Original("7001.ui"));

  InstallRequest overwrite = Request();
  overwrite.overwrite_control_files = true;
  ASSERT_TRUE(Install(overwrite));
  EXPECT_EQ(ReadFile(edited_template), Original("FCNHDR.CTL"));
}

TEST_F(InstallerTest, WithoutTheRegistryBoxOnlyTheDestinationIsRecorded) {
  InstallRequest request = Request();
  request.update_registry = false;
  ASSERT_TRUE(Install(request));
  EXPECT_EQ(Value("Defaults", "User ID"), "<absent>");
  EXPECT_EQ(Value("Defaults", "Company Name"), "<absent>");
  EXPECT_EQ(Value("Defaults", "Template Path"), "<absent>");
  EXPECT_EQ(Value("Base Classes", "Number"), "<absent>");
  EXPECT_EQ(Value("Defaults", "Last Install Dir"), Destination());
}

TEST_F(InstallerTest, ReinstallingResetsTheCategoryCountAndLeavesLaterCategories) {
  settings_.WriteSettingNumber("Default", "Base Classes", "Number", 7);
  settings_.WriteSetting("Default", "Base Classes", "Class Description0", "Mine");
  settings_.WriteSetting("Default", "Base Classes", "Class Description6", "Extra");
  ASSERT_TRUE(Install(Request()));
  EXPECT_EQ(settings_.ReadSettingNumber("Default", "Base Classes", "Number", 0), 5);
  EXPECT_EQ(Value("Base Classes", "Class Description0"), "Modal Dialog Box");
  EXPECT_EQ(Value("Base Classes", "Class Description6"), "Extra");
}

TEST_F(InstallerTest, DestinationsAreMadeAbsoluteWithAFinalSlash) {
  struct Case {
    std::string field;
    std::string expected;
  } cases[] = {
      {Destination().substr(0, Destination().size() - 1), Destination()},
      {"relative dir", target_.path() + "/relative dir/"},
      {"with 'quotes' \"and\" blanks/", target_.path() + "/with 'quotes' \"and\" blanks/"},
      {"-leading-dash", target_.path() + "/-leading-dash/"},
  };
  for (const Case& c : cases) {
    InstallRequest request = Request();
    request.destination = c.field;
    ASSERT_TRUE(Install(request)) << c.field;
    EXPECT_EQ(Value("Defaults", "Last Install Dir"), c.expected);
    EXPECT_EQ(Value("Defaults", "Template Path"), c.expected + "Template/");
    EXPECT_EQ(ReadFile(c.expected + "Template/WND.H"), Original("WND.H"));
  }
  EXPECT_EQ(AbsoluteDestination("~/tools", "/start", "/home/ann"), "/home/ann/tools/");
  EXPECT_EQ(AbsoluteDestination("", "/start", "/home/ann"), "");
}

TEST_F(InstallerTest, InstallingIntoTheMediumLeavesItsFilesWhole) {
  InstallRequest request = Request();
  request.destination = Medium();
  request.overwrite_control_files = true;
  ASSERT_TRUE(Install(request));
  for (std::string_view name : ProgramFiles())
    EXPECT_EQ(ReadFile(Medium() + "/" + std::string(name)), Original(name));
  EXPECT_EQ(ReadFile(Medium() + "/Template/MODHDR.CTL"), Original("MODHDR.CTL"));
}

TEST_F(InstallerTest, EachFailingStepShowsItsMessageAndFocusesTheDestination) {
  struct Case {
    const char* name;
    std::function<void(InstallerTest&, InstallRequest&)> arrange;
    const char* message;
  } cases[] = {
      {"empty destination", [](InstallerTest&, InstallRequest& r) { r.destination = ""; },
       "Error Creating destination directory"},
      {"parent missing",
       [](InstallerTest& t, InstallRequest& r) { r.destination = t.target_.File("no/such/dir"); },
       "Error Creating destination directory"},
      {"destination is a file",
       [](InstallerTest& t, InstallRequest& r) { r.destination = t.target_.Write("file", "x"); },
       "Error Creating destination directory"},
      {"template directory is a file",
       [](InstallerTest& t, InstallRequest&) {
         std::filesystem::create_directory(t.Destination());
         t.target_.Write("pellmoor/Template", "x");
       },
       "Error Creating template directory"},
      {"resource directory is a file",
       [](InstallerTest& t, InstallRequest&) {
         std::filesystem::create_directory(t.Destination());
         t.target_.Write("pellmoor/Resource", "x");
       },
       "Error Creating resource directory"},
      {"program missing on the medium",
       [](InstallerTest& t, InstallRequest&) { std::filesystem::remove(t.Medium() + "/ferrul"); },
       "Unable to copy program files!"},
      {"template missing on the medium",
       [](InstallerTest& t, InstallRequest&) { std::filesystem::remove(t.Medium() + "/WND.H"); },
       "Unable to copy template files!"},
      {"resource missing on the medium",
       [](InstallerTest& t, InstallRequest&) { std::filesystem::remove(t.Medium() + "/7002.ui"); },
       "Unable to copy resource files!"},
  };
  for (const Case& c : cases) {
    ui_ = RecordingUi();
    std::filesystem::remove_all(Destination());
    std::filesystem::remove(target_.File("file"));
    for (std::string_view name : {"ferrul", "WND.H", "7002.ui"})
      medium_.Write("medium/" + std::string(name), Original(name));
    store_ = config::MemoryStore();

    InstallRequest request = Request();
    c.arrange(*this, request);
    Installer installer(settings_, Medium(), target_.path(), "/home/ann");
    EXPECT_FALSE(installer.Install(request, ui_)) << c.name;
    EXPECT_TRUE(installer.failed_once()) << c.name;
    EXPECT_EQ(ui_.messages, std::vector<std::string>{c.message}) << c.name;
    EXPECT_EQ(ui_.focus_requests, 1) << c.name;
    EXPECT_TRUE(ui_.readmes.empty()) << c.name;
    // Nothing of the store is written by a failed attempt.
    EXPECT_EQ(Value("Defaults", "Last Install Dir"), "<absent>") << c.name;
  }
}

TEST_F(InstallerTest, ACopyThatFailsPartWayStopsTheListAndLeavesNoPartialFile) {
  ASSERT_FALSE(Install(Request(), &FailingWrite));
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"Unable to copy program files!"});
  EXPECT_EQ(ui_.statuses.back(), "Copying file tallowik");
  EXPECT_TRUE(std::filesystem::is_empty(Destination() + "Template"));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(Destination()))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"Resource", "Template"}));
}

TEST(ReadPresets, ComeFromDefaultWithTheHomeDirectoryAsFallback) {
  config::MemoryStore store;
  config::Settings settings(store);
  InstallRequest fresh = ReadPresets(settings, "/home/ann");
  InstallRequest expected;
  expected.destination = "/home/ann/pellmoor/";
  EXPECT_EQ(fresh, expected);

  settings.WriteSetting("Default", "Defaults", "User ID", "ann");
  settings.WriteSetting("Default", "Defaults", "Company Name", "Acme");
  settings.WriteSetting("Default", "Defaults", "Last Install Dir", "/opt/pm/");
  // A configuration other than "Default" in force does not matter.
  settings.WriteSectionValue("Configurations", "Last Configuration", "Other");
  EXPECT_EQ(
      ReadPresets(settings, "/home/ann"),
      (InstallRequest{.user_name = "ann", .company_name = "Acme", .destination = "/opt/pm/"}));
}

}  // namespace
}  // namespace setup
