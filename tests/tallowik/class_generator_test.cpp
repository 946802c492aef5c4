#include "tallowik/class_generator.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "config/memory_store.h"
#include "platform/profile_file.h"
#include "support/temp_dir.h"
#include "tallowik/class_wizard_file.h"
#include "test_support.h"

namespace tallowik {
namespace {

using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempDir;

std::tm Moment(int year, int month, int day) {
  std::tm moment{};
  moment.tm_year = year - 1900;
  moment.tm_mon = month - 1;
  moment.tm_mday = day;
  return moment;
}

// A clock whose day advances by one at each reading.
class AdvancingClock : public engine::Clock {
 public:
  std::tm LocalNow() const override { return Moment(1995, 3, ++day_); }

 private:
  mutable int day_ = 4;
};

// A project directory as the current directory, with the configuration "Default".
class GeneratorTest : public ::testing::Test {
 protected:
  GeneratorTest() : cwd_(project.path()) {
    settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
    settings.WriteSetting("Default", "Defaults", "Company Name", "Acme");
    settings.WriteSettingNumber("Default", "Base Classes", "Number", 2);
    SetCategory(0, "DLG.H", "DLG.CPP");
    SetCategory(1, "WND.H", "WND.CPP");
  }

  void SetCategory(int i, std::string_view header, std::string_view source) {
    settings.WriteSetting("Default", CategoryKey(i), "Header Template", header);
    settings.WriteSetting("Default", CategoryKey(i), "Source Template", source);
  }

  GenerationRequest Request() {
    GenerationRequest r;
    r.fields = {"/projects/myapp", "MYAPP", "My dialog",  "CDialog",     "CMyDialog",
                "IDD_MY",          "",      "MYDIALOG.H", "MYDIALOG.CPP"};
    r.category = 0;
    r.add_to_class_wizard = true;
    r.class_wizard_file = project.File("MYAPP.clw");
    return r;
  }

  // The header and source of category 0 as templates in the project directory.
  void Templates(std::string_view header, std::string_view source) {
    project.Write("DLG.H", header);
    project.Write("DLG.CPP", source);
  }

  TempDir project;
  config::MemoryStore store;
  config::Settings settings{store};
  engine::FixedClock clock{Moment(1995, 3, 5)};
  RecordingMessageSink messages;
  tallowik_testing::FakeDdeClient dde;
  ClassGenerator generator{settings, clock, messages, dde};

 private:
  tallowik_testing::CurrentDirectoryGuard cwd_;
};

TEST_F(GeneratorTest, GeneratesRegistersAndOpens) {
  Templates("// $_Filename for $_ClassName : $_BaseClass\n#include \"$_BaseFile.inc\"\n",
            "#include \"$_HeaderFile\"\n// $_SourceFile $_Date by $_UserID of $_CompanyName\n");
  EXPECT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")),
            "// MYDIALOG.H for CMyDialog : CDialog\n#include \"MYDIALOG.inc\"\n");
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.CPP")),
            "#include \"MYDIALOG.H\"\n// MYDIALOG.CPP 3/5/95 by jdoe of Acme\n");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ListClwClasses(project.File("MYAPP.clw")), std::vector<std::string>{"CMyDialog"});
  EXPECT_EQ(platform::ReadProfileString(project.File("MYAPP.clw"), "CLS:CMyDialog",
                                        "ImplementationFile", ""),
            "MYDIALOG.CPP");
  // Only the implementation file is opened, with its name as typed.
  EXPECT_EQ(dde.executed, std::vector<std::string>{"MSVC|SYSTEM|OPEN (\"MYDIALOG.CPP\")"});
}

TEST_F(GeneratorTest, NotRegisteredWhenNotAskedAndRefusedOpenIsSilent) {
  Templates("h\n", "c\n");
  GenerationRequest request = Request();
  request.add_to_class_wizard = false;
  dde.answer = false;
  EXPECT_EQ(generator.GenerateClass(request), GenerationResult::kGenerated);
  EXPECT_FALSE(FileExists(project.File("MYAPP.clw")));
  EXPECT_EQ(dde.executed.size(), 1u);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(GeneratorTest, TemplatesComeFromTheSelectedCategory) {
  project.Write("WND.H", "window header\n");
  project.Write("WND.CPP", "window source\n");
  GenerationRequest request = Request();
  request.category = 1;
  EXPECT_EQ(generator.GenerateClass(request), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "window header\n");
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.CPP")), "window source\n");
}

TEST_F(GeneratorTest, UnusableCategoryWritesNothingAndSaysNothing) {
  Templates("h\n", "c\n");
  for (std::optional<int> category : {std::optional<int>(), std::optional<int>(-1),
                                      std::optional<int>(2), std::optional<int>(99)}) {
    GenerationRequest request = Request();
    request.category = category;
    EXPECT_EQ(generator.GenerateClass(request), GenerationResult::kNoCategory);
  }
  EXPECT_FALSE(FileExists(project.File("MYDIALOG.H")));
  EXPECT_FALSE(FileExists(project.File("MYAPP.clw")));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(dde.executed.empty());
}

TEST_F(GeneratorTest, MissingHeaderTemplateEndsTheRun) {
  project.Write("DLG.CPP", "c\n");
  EXPECT_EQ(generator.GenerateClass(Request()), GenerationResult::kHeaderFailed);
  // The message names the template as stored, not a searched path.
  EXPECT_EQ(messages.shown, (std::vector<RecordingMessageSink::Shown>{
                                {"Tallowick", "Unable to open template file DLG.H"}}));
  EXPECT_FALSE(FileExists(project.File("MYDIALOG.H")));
  EXPECT_FALSE(FileExists(project.File("MYDIALOG.CPP")));
  EXPECT_FALSE(FileExists(project.File("MYAPP.clw")));
  EXPECT_TRUE(dde.executed.empty());
}

TEST_F(GeneratorTest, EmptyTemplateNameAndDirectoryTemplateAreNotFound) {
  SetCategory(0, "", "DLG.CPP");
  EXPECT_EQ(generator.GenerateClass(Request()), GenerationResult::kHeaderFailed);
  mkdir(project.File("DIR.H").c_str(), 0755);
  SetCategory(0, "DIR.H", "DLG.CPP");
  EXPECT_EQ(generator.GenerateClass(Request()), GenerationResult::kHeaderFailed);
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Unable to open template file ",
                                                        "Unable to open template file DIR.H"}));
}

TEST_F(GeneratorTest, MissingSourceTemplateKeepsTheHeader) {
  project.Write("DLG.H", "header\n");
  EXPECT_EQ(generator.GenerateClass(Request()), GenerationResult::kSourceFailed);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unable to open template file DLG.CPP"});
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "header\n");
  EXPECT_FALSE(FileExists(project.File("MYDIALOG.CPP")));
  EXPECT_FALSE(FileExists(project.File("MYAPP.clw")));
  EXPECT_TRUE(dde.executed.empty());
}

TEST_F(GeneratorTest, UnopenableOutputEndsTheRun) {
  Templates("h\n", "c\n");
  mkdir(project.File("ADIR").c_str(), 0755);
  for (const char* output : {"ADIR", "NODIR/X.H", ""}) {
    messages.shown.clear();
    GenerationRequest request = Request();
    request.fields.header_file = output;
    EXPECT_EQ(generator.GenerateClass(request), GenerationResult::kHeaderFailed) << output;
    EXPECT_EQ(messages.shown,
              (std::vector<RecordingMessageSink::Shown>{
                  {"Tallowick", std::string("Unable to create or open file ") + output}}));
  }
  EXPECT_FALSE(FileExists(project.File("MYDIALOG.CPP")));
  EXPECT_TRUE(dde.executed.empty());
}

TEST_F(GeneratorTest, FullDiskIsAFailure) {
  struct stat st {};
  if (stat("/dev/full", &st) != 0) GTEST_SKIP() << "no /dev/full";
  Templates("h\n", "c\n");
  GenerationRequest request = Request();
  request.fields.source_file = "/dev/full";
  EXPECT_EQ(generator.GenerateClass(request), GenerationResult::kSourceFailed);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unable to write file /dev/full"});
  EXPECT_TRUE(dde.executed.empty());
}

TEST_F(GeneratorTest, GeneratingTwiceAppends) {
  Templates("// $_ClassName\n", "");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "// CMyDialog\n// CMyDialog\n");
  // An empty template creates an empty file.
  EXPECT_TRUE(FileExists(project.File("MYDIALOG.CPP")));
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.CPP")), "");
  // Registered once.
  EXPECT_EQ(
      platform::ReadProfileString(project.File("MYAPP.clw"), "General Info", "ClassCount", ""),
      "1");
}

TEST_F(GeneratorTest, ExistingFileWithoutLineEndIsContinued) {
  Templates("$_ClassName\n", "");
  project.Write("MYDIALOG.H", "kept");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "keptCMyDialog\n");
}

TEST_F(GeneratorTest, LineEndsAndLongLines) {
  // A name cut by the 1023-character piece boundary stays; one in the next piece is
  // replaced; CR LF becomes LF and a lone CR stays.
  const std::string head(1020, 'x');
  Templates("a\r\nb\rc\r\n" + head + "$_ClassName $_ClassName\r\n", "");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "a\nb\rc\n" + head + "$_ClassName CMyDialog\n");
}

TEST_F(GeneratorTest, TwoThousandCharacterLineInTwoPieces) {
  // "$_Year" ends exactly at the first piece's end; the second piece starts with one.
  const std::string first = std::string(1017, 'a') + "$_Year";
  const std::string second = "$_Year" + std::string(971, 'b');
  ASSERT_EQ(first.size(), 1023u);
  ASSERT_EQ(second.size(), 977u);
  Templates(first + second + "\n", "");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")),
            std::string(1017, 'a') + "1995" + "1995" + std::string(971, 'b') + "\n");
}

TEST_F(GeneratorTest, TemplateThatIsItsOwnOutputIsReadOnce) {
  // The template is read before anything is appended, so the file grows by one copy.
  Templates("$_ClassName\n", "");
  SetCategory(0, "MYDIALOG.H", "DLG.CPP");
  project.Write("MYDIALOG.H", "$_ClassName\n");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "$_ClassName\nCMyDialog\n");
}

TEST_F(GeneratorTest, TemplateWithoutVariablesIsCopiedUnchanged) {
  const std::string text = std::string("no variables $ _ $_\ttabs\0zero\n", 31) + "last";
  Templates(text, "");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), text);
}

TEST_F(GeneratorTest, ProjectAndUserStrings) {
  project.Write("MYAPP.PRJ", "My Your\nsingle\n\nCDialog CBaseDialog\n");
  settings.WriteSetting("Default", "Defaults", "Project String File Name", "$_Project.PRJ");
  settings.WriteSettingNumber("Default", "User Strings", "Num User Replacements", 3);
  settings.WriteSetting("Default", "User Strings", "User Holder", 0, "single");
  settings.WriteSetting("Default", "User Strings", "User Replacement", 0, "");
  settings.WriteSetting("Default", "User Strings", "User Holder", 1, "");
  settings.WriteSetting("Default", "User Strings", "User Replacement", 1, "lost");
  settings.WriteSetting("Default", "User Strings", "User Holder", 2, "Your");
  settings.WriteSetting("Default", "User Strings", "User Replacement", 2, "Our");
  Templates("$_ClassName : $_BaseClass single\n", "");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  // Project pairs change inserted values; the user string applies after them.
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "COurDialog : CBaseDialog single\n");
}

TEST_F(GeneratorTest, PerFileValuesAreReloadedAndPairsDoNotAccumulate) {
  project.Write("P.STR", "X XX\n");
  settings.WriteSetting("Default", "Defaults", "Project String File Name", "P.STR");
  AdvancingClock advancing;
  ClassGenerator per_file{settings, advancing, messages, dde};
  Templates("$_Day X\n", "$_Day X\n");
  ASSERT_EQ(per_file.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "05 XX\n");
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.CPP")), "06 XX\n");
}

TEST_F(GeneratorTest, ConfigurationInForceIsUsed) {
  settings.WriteSectionValue("Configurations", "Last Configuration", "Other");
  settings.WriteSettingNumber("Other", "Base Classes", "Number", 1);
  settings.WriteSetting("Other", CategoryKey(0), "Header Template", "OTHER.H");
  settings.WriteSetting("Other", CategoryKey(0), "Source Template", "OTHER.CPP");
  settings.WriteSetting("Other", "Defaults", "User ID", "other-user");
  project.Write("OTHER.H", "$_UserID|$_CompanyName\n");
  project.Write("OTHER.CPP", "");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "other-user|\n");
}

TEST_F(GeneratorTest, TemplateSearch) {
  TempDir first, second;
  first.Write("DLG.CPP", "from first\n");
  second.Write("DLG.H", "from second\n");
  second.Write("DLG.CPP", "from second\n");
  project.Write("DLG.H", "from project\n");
  settings.WriteSetting("Default", "Defaults", "Template Path",
                        first.path() + ";" + second.path() + "/");
  ASSERT_EQ(generator.GenerateClass(Request()), GenerationResult::kGenerated);
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.H")), "from project\n");
  EXPECT_EQ(ReadFile(project.File("MYDIALOG.CPP")), "from first\n");
}

TEST_F(GeneratorTest, GenerateFileAloneRelativeToTheProjectDirectory) {
  project.Write("T.TXT", "$_Filename $_BaseFile $_ProjectDir $_Project\n");
  NewClass new_class;
  new_class.fields = Request().fields;
  EXPECT_FALSE(generator.GenerateFile(new_class, "T.TXT", "sub.d/OUT"));
  // Only the missing directory fails; with it the file lands in the project.
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unable to create or open file sub.d/OUT"});
  mkdir(project.File("sub.d").c_str(), 0755);
  messages.shown.clear();
  ASSERT_TRUE(generator.GenerateFile(new_class, "T.TXT", "sub.d/OUT"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ReadFile(project.File("sub.d/OUT")), "sub.d/OUT sub /projects/myapp MYAPP\n");
  EXPECT_EQ(new_class.file.user_id, "jdoe");
}

}  // namespace
}  // namespace tallowik
