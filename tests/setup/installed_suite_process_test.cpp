// The suite installed by the built setup from a copy of the installation medium, and
// its programs run from the installed directory with only the installed files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "config/registry_file.h"
#include "config/settings.h"
#include "setup/file_lists.h"
#include "support/test_desktop.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BuiltProgram;
using testing_support::FileExists;
using testing_support::ProgramResult;
using testing_support::ReadFile;
using testing_support::RunProgram;
using testing_support::TestDesktop;

// build/medium, beside build/bin.
std::string BuiltMedium() {
  return fs::path(BuiltProgram("setup")).parent_path().parent_path() / "medium";
}

std::string ClipboardText(const platform::ClipboardContents& contents) {
  for (const auto& [format, bytes] : contents) {
    if (format == "CF_TEXT") return bytes;
  }
  return "<no text>";
}

bool Executable(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && (status.st_mode & 0111) == 0111;
}

class InstalledSuite : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::is_directory(BuiltMedium())) << "the medium target was not built";
    fs::copy(BuiltMedium(), medium_, fs::copy_options::recursive);
    // A build without the class generator still installs: stand-ins take its place.
    for (const char* name : {"tallowik", "tallowik.html", "libtallowik_qt.so"}) {
      if (!fs::exists(fs::path(medium_) / name)) desktop_.Write(std::string("medium/") + name, "");
    }
  }

  testing_support::EnvironmentChanges Env() const {
    testing_support::EnvironmentChanges env = desktop_.Env();
    env["BRACKWATER_UI"] = "tty";
    return env;
  }

  ProgramResult Setup(const std::string& answers) {
    return RunProgram(medium_ + "/setup", {}, Env(), answers);
  }

  std::string Setting(const std::string& name) const {
    config::RegistryFileStore store(desktop_.RegistryPath());
    return config::Settings(store).ReadSetting("Default", "Defaults", name, "<absent>");
  }
  void WriteSetting(const std::string& name, const std::string& value) const {
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings(store).WriteSetting("Default", "Defaults", name, value);
  }

  TestDesktop desktop_;
  std::string medium_ = desktop_.File("medium");
  // Blanks and a quote in the destination: nothing on the way may split it.
  std::string destination_ = desktop_.File("my apps/pell'moor") + "/";
};

TEST(InstallationMedium, HoldsEveryFileThatSetupCopies) {
  const bool has_tallowik = Executable(BuiltProgram("tallowik"));
  for (auto list : {setup::ProgramFiles(), setup::TemplateFiles(), setup::ResourceFiles()}) {
    for (std::string_view name : list) {
      if (!has_tallowik && name.find("tallowik") != std::string_view::npos) continue;
      EXPECT_TRUE(FileExists(BuiltMedium() + "/" + std::string(name))) << name;
    }
  }
}

TEST_F(InstalledSuite, SetupOnTheTerminalInstallsEveryFileAndSeedsTheStore) {
  fs::create_directory(desktop_.File("my apps"));
  ProgramResult run = Setup("Ann Smith\nAcme\n" + destination_ + "\n\n\n");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  for (std::string_view name : setup::ProgramFiles()) {
    EXPECT_TRUE(FileExists(destination_ + std::string(name))) << name;
  }
  for (const char* program : {"setup", "quorvan", "ferrul"}) {
    EXPECT_TRUE(Executable(destination_ + program)) << program;
  }
  for (std::string_view name : setup::TemplateFiles()) {
    EXPECT_EQ(ReadFile(destination_ + "Template/" + std::string(name)),
              ReadFile(medium_ + "/" + std::string(name)))
        << name;
  }
  for (std::string_view name : setup::ResourceFiles()) {
    EXPECT_TRUE(FileExists(destination_ + "Resource/" + std::string(name))) << name;
  }
  EXPECT_EQ(Setting("Template Path"), destination_ + "Template/");
  EXPECT_EQ(Setting("Last Install Dir"), destination_);
  EXPECT_EQ(Setting("User ID"), "Ann Smith");
  EXPECT_NE(run.err.find("Please read " + medium_ + "/README.TXT"), std::string::npos);
}

TEST_F(InstalledSuite, SetupReportsAFailureAndEndsWithOneOnCancel) {
  ProgramResult run = Setup("\n\n" + desktop_.File("no/such/dir") + "\n\n\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("Error Creating destination directory\n"), std::string::npos) << run.err;
  EXPECT_EQ(Setting("Last Install Dir"), "<absent>");

  fs::remove(medium_ + "/COMMON.CTL");
  run = Setup("\n\n" + desktop_.File("dest") + "\n\n\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("Unable to copy template files!\n"), std::string::npos) << run.err;
}

TEST_F(InstalledSuite, InstalledQuorvanUsesTheControlFilesOfTheTemplatePath) {
  fs::create_directory(desktop_.File("my apps"));
  ASSERT_EQ(Setup("Ann Smith\nAcme\n" + destination_ + "\n\n\n").exit_code, 0);
  fs::remove_all(medium_);  // only the installed files are left

  testing_support::IdeOptions options;
  options.selection = "int Area(int w)";
  testing_support::IdePeer* ide = desktop_.StartIde(options);
  ASSERT_NE(ide, nullptr);
  ProgramResult run = RunProgram(destination_ + "quorvan", {"/0"}, Env());
  ASSERT_EQ(run.exit_code, 0) << run.err;
  ASSERT_TRUE(testing_support::WaitUntil(
      [&] { return ide->Document().find("int Area(int w)") != std::string::npos; }));
  EXPECT_NE(ide->Document().find("// Author:  Ann Smith"), std::string::npos) << ide->Document();
  EXPECT_NE(ide->Document().find("//   w (int)"), std::string::npos) << ide->Document();
}

TEST_F(InstalledSuite, InstalledFerrulServesAsQuorvansFileBasedFilter) {
  fs::create_directory(desktop_.File("my apps"));
  ASSERT_EQ(Setup("\n\n" + destination_ + "\n\n\n").exit_code, 0);
  fs::remove_all(medium_);
  desktop_.Write("my apps/pell'moor/ferrul.awk", "{ print NR \": \" toupper($0) }\n");
  // The template names the installed ferrul, quoted for its blank and its quote.
  WriteSetting("File Command Line", "\"" + destination_ + "ferrul\" $_Input $_Output");
  desktop_.SetClipboardText("one\ntwo\n");

  testing_support::EnvironmentChanges env = Env();
  env["EDITOR"] = "true";  // confirms the remembered script unchanged
  env["VISUAL"] = std::nullopt;
  // The dialog: the command, "File Based Filter", a hidden window.
  ProgramResult run = RunProgram(destination_ + "quorvan", {"/4"}, env, "ferrul\n2\n1\n");
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ClipboardText(desktop_.Clipboard()), "1: ONE\n2: TWO\n");
  EXPECT_EQ(ReadFile(destination_ + "ferrul.awk"), "{ print NR \": \" toupper($0) }\n");
}

TEST_F(InstalledSuite, InstalledTallowikGeneratesWithoutAWindow) {
  if (!Executable(BuiltProgram("tallowik"))) GTEST_SKIP() << "this build has no tallowik";
  fs::create_directory(desktop_.File("my apps"));
  ASSERT_EQ(Setup("Ann Smith\nAcme\n" + destination_ + "\n\n\n").exit_code, 0);
  fs::remove_all(medium_);
  const std::string project = desktop_.File("project");
  fs::create_directory(project);

  ProgramResult run =
      RunProgram(destination_ + "tallowik",
                 {"demo", project, "--class", "CGadget", "--category", "Window"}, Env());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  bool generated = false;
  for (const auto& entry : fs::directory_iterator(project)) {
    if (ReadFile(entry.path()).find("CGadget") != std::string::npos) generated = true;
  }
  EXPECT_TRUE(generated);
}

}  // namespace
