// The built tallowik, run in an isolated session: its start-up messages, generation
// without a window end to end (files, ClassWizard file, the open request to the IDE
// peer) and that this mode loads no Qt.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "config/registry_file.h"
#include "config/settings.h"
#include "platform/profile_file.h"
#include "support/test_desktop.h"
#include "support/xvfb.h"
#include "tallowik/class_generator.h"

namespace {

using testing_support::BuiltProgram;
using testing_support::EnvironmentChanges;
using testing_support::FileExists;
using testing_support::IdePeer;
using testing_support::ProgramResult;
using testing_support::ReadFile;
using testing_support::RunProgram;
using testing_support::TestDesktop;
using Strings = std::vector<std::string>;

bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class TallowikProcess : public ::testing::Test {
 protected:
  TallowikProcess() {
    project_ = desktop_.File("My Project");
    desktop_.Write("My Project/MYAPP.clw", "[General Info]\nClassCount=1\nClass1=CAboutDlg\n");
    desktop_.Write("templates/DLG.H",
                   "// $_Filename $_Date\nclass $_ClassName : public $_BaseClass {};\n");
    desktop_.Write("templates/DLG.CPP",
                   "#include \"$_HeaderFile\"\n// $_Description [$_ClassSpecific]\n");
    config::RegistryFileStore store(desktop_.RegistryPath());
    config::Settings settings(store);
    settings.WriteSetting("Default", "Defaults", "Template Path", desktop_.File("templates"));
    settings.WriteSettingNumber("Default", "Base Classes", "Number", 2);
    settings.WriteSetting("Default", "Base Classes", "Class Description", 0, "Window");
    settings.WriteSetting("Default", "Base Classes", "Class Description", 1, "Dialog");
    for (int i = 0; i < 2; ++i) {
      const std::string key = tallowik::CategoryKey(i);
      settings.WriteSetting("Default", key, "Header Template", i == 0 ? "MISSING.H" : "DLG.H");
      settings.WriteSetting("Default", key, "Source Template", "DLG.CPP");
      settings.WriteSetting("Default", key, "Base Class", i == 0 ? "CWnd" : "CDialog");
      settings.WriteSettingNumber("Default", key, "Add to CLW", i);
    }
  }

  ProgramResult Tallowik(const Strings& args) { return desktop_.Run("tallowik", args); }
  std::string ProjectFile(const std::string& name) { return project_ + "/" + name; }

  TestDesktop desktop_;
  std::string project_;
};

TEST_F(TallowikProcess, StartUpMessagesEndTheProgram) {
  desktop_.Write("plain-file", "");
  const struct {
    Strings args;
    int exit_code;
    std::string err;
  } cases[] = {
      {{},
       1,
       "Tallowick: Tallowick Sytnax:\n TALLOWIK ProjectName ProjectDirectory /N[o Check for "
       "extension]\n"},
      {{"MYAPP", "/N"}, 1, "Tallowick Sytnax:"},
      {{"MYAPP", desktop_.File("nowhere")},
       1,
       "Tallowick: Project directory " + desktop_.File("nowhere") + " does not exist!\n"},
      {{"MYAPP", desktop_.File("plain-file")}, 1, "does not exist!"},
      {{"MYAPP", desktop_.File("nowhere"), "--class", "CView"}, 1, "does not exist!"},
      {{"MYAPP", project_}, 2, "the sheet needs a display"},
      {{"MYAPP", project_, "--colour"}, 2, "unknown option --colour"},
      {{"MYAPP", project_, "--base", "CView"}, 2, "the options need --class NAME"},
  };
  for (const auto& c : cases) {
    ProgramResult run = Tallowik(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << ::testing::PrintToString(c.args);
    EXPECT_TRUE(Mentions(run.err, c.err)) << run.err;
  }
  ProgramResult no_display = Tallowik({"MYAPP", project_});
  EXPECT_TRUE(Mentions(no_display.err, "--class NAME")) << "names the options";
  ProgramResult help = Tallowik({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_TRUE(Mentions(help.out, "--no-clw"));
}

TEST_F(TallowikProcess, GeneratesRegistersAndAsksTheIdeToOpenTheSource) {
  testing_support::IdeOptions options;
  options.dde = "ack";
  IdePeer* ide = desktop_.StartIde(options);
  ASSERT_NE(ide, nullptr);
  ProgramResult run =
      Tallowik({"MYAPP.MAK", project_, "--class", "CMyDialog", "--category", "dia", "--description",
                "A \"quoted\" text", "--specific", "\xc3\xa9t\xc3\xa9"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");

  const std::string header = ReadFile(ProjectFile("MYDIALOG.H"));
  EXPECT_TRUE(Mentions(header, "// MYDIALOG.H ")) << header;
  EXPECT_TRUE(Mentions(header, "class CMyDialog : public CDialog {};\n")) << header;
  EXPECT_EQ(ReadFile(ProjectFile("MYDIALOG.CPP")),
            "#include \"MYDIALOG.H\"\n// A \"quoted\" text [\xc3\xa9t\xc3\xa9]\n");

  const std::string clw = ProjectFile("MYAPP.clw");
  auto value = [&](const char* section, const char* key) {
    return platform::ReadProfileString(clw, section, key, "<none>", 200);
  };
  EXPECT_EQ(value("General Info", "ClassCount"), "2");
  EXPECT_EQ(value("General Info", "Class2"), "CMyDialog");
  EXPECT_EQ(value("CLS:CMyDialog", "ImplementationFile"), "MYDIALOG.CPP");
  EXPECT_EQ(value("Tallowick", "Last Base Desc"), "Dialog");
  EXPECT_EQ(value("Tallowick", "Last Base Class"), "CDialog");
  EXPECT_EQ(value("Tallowick", "Add to CLW"), "1");
  EXPECT_EQ(ide->Commands(), Strings{"EXECUTE OPEN (\"MYDIALOG.CPP\")"});

  // The next run restores the last category; --no-clw and hand-given names count.
  ProgramResult again = Tallowik({"MYAPP", project_, "--class", "CView", "--header", "src/view.h",
                                  "--source", "view.cpp", "--no-clw"});
  EXPECT_EQ(again.exit_code, 1) << "src/ does not exist";
  EXPECT_TRUE(Mentions(again.err, "Unable to create or open file src/view.h"));
  ProgramResult third = Tallowik({"MYAPP", project_, "--class", "CView", "--header", "view.h",
                                  "--source", "view.cpp", "--no-clw"});
  EXPECT_EQ(third.exit_code, 0) << third.err;
  EXPECT_TRUE(Mentions(ReadFile(ProjectFile("view.h")), "class CView : public CDialog"));
  EXPECT_EQ(value("General Info", "ClassCount"), "2") << "not registered";
}

TEST_F(TallowikProcess, RefusalsPrintTheMessageAndWriteNothing) {
  const struct {
    Strings options;
    std::string err;
  } cases[] = {
      {{"--class", "C"}, "Insufficient Information has been given to\ngenerate a class."},
      {{"--class", "CView", "--source", ""}, "Insufficient Information"},
      {{"--class", "CView", "--category", "Frame"}, "No base class category begins with \"Frame\""},
      {{"--class", "CView", "--category", "Win"}, "Unable to open template file MISSING.H"},
  };
  for (const auto& c : cases) {
    Strings args{"MYAPP", project_};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ProgramResult run = Tallowik(args);
    EXPECT_EQ(run.exit_code, 1) << ::testing::PrintToString(c.options);
    EXPECT_TRUE(run.err.starts_with("Tallowick: ")) << run.err;
    EXPECT_TRUE(Mentions(run.err, c.err)) << run.err;
    EXPECT_FALSE(FileExists(ProjectFile("VIEW.H")));
    EXPECT_FALSE(FileExists(ProjectFile("VIEW.CPP")));
  }
}

TEST_F(TallowikProcess, GenerationWithoutAWindowLoadsNoQt) {
  ProgramResult dynamic = RunProgram("/usr/bin/readelf", {"-d", BuiltProgram("tallowik")}, {});
  ASSERT_EQ(dynamic.exit_code, 0) << dynamic.err;
  EXPECT_FALSE(Mentions(dynamic.out, "libQt")) << dynamic.out;

  EnvironmentChanges env = desktop_.Env();
  env["DISPLAY"] =
      testing_support::UnusedDisplay();  // a display is named, so only the mode decides
  env["LD_DEBUG"] = "files";
  ProgramResult run =
      RunProgram(BuiltProgram("tallowik"),
                 {"MYAPP", project_, "--class", "CMyDialog", "--category", "D"}, env);
  EXPECT_EQ(run.exit_code, 0) << run.err.substr(0, 2000);
  EXPECT_FALSE(Mentions(run.err, "libtallowik_qt")) << run.err.substr(0, 2000);
  EXPECT_FALSE(Mentions(run.err, "libQt6"));
  EXPECT_TRUE(FileExists(ProjectFile("MYDIALOG.CPP")));

  // The sheet loads the module, which finds no display behind :97 and says so.
  ProgramResult sheet = RunProgram(BuiltProgram("tallowik"), {"MYAPP", project_}, env);
  EXPECT_EQ(sheet.exit_code, 2);
  EXPECT_TRUE(Mentions(sheet.err, "libtallowik_qt.so"));
  EXPECT_TRUE(Mentions(sheet.err, "the sheet needs a display"));

  // BRACKWATER_UI=tty wants no window even with a display: the module stays unloaded.
  env["BRACKWATER_UI"] = "tty";
  ProgramResult tty = RunProgram(BuiltProgram("tallowik"), {"MYAPP", project_}, env);
  EXPECT_EQ(tty.exit_code, 2);
  EXPECT_TRUE(Mentions(tty.err, "--class NAME"));
  EXPECT_FALSE(Mentions(tty.err, "libtallowik_qt")) << tty.err.substr(0, 2000);
}

}  // namespace
