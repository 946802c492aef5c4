// The class templates installed for the five base-class categories.
#include <gtest/gtest.h>

#include <cstdlib>

#include "config/memory_store.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "tallowik/class_generator.h"
#include "test_support.h"

namespace tallowik {
namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

// The installed data files: BRK_DATA_DIR when the environment names it, else the source
// tree's (an absolute path, as the test changes directory).
std::string DataDirectory() {
  const char* given = std::getenv("BRK_DATA_DIR");
  if (given && *given) return given;
  return testing_support::ShippedDataDirectory();
}

TEST(ShippedTemplates, EveryCategoryGivesACompleteClass) {
  struct Category {
    const char* header;
    const char* source;
    const char* base_class;
    const char* class_specific;
  } categories[] = {
      {"MODALDLG.H", "MODALDLG.CPP", "CDialog", ""},
      {"MODELESS.H", "MODELESS.CPP", "CDialog", ""},
      {"WND.H", "WND.CPP", "CWnd", ""},
      {"DLGAPP.H", "DLGAPP.CPP", "CWinApp", "CSampleDlg"},
      {"MAINDLG.H", "MAINDLG.CPP", "CDialog", ""},
  };
  for (const Category& c : categories) {
    TempDir project;
    tallowik_testing::CurrentDirectoryGuard cwd(project.path());
    config::MemoryStore store;
    config::Settings settings(store);
    settings.WriteSetting("Default", "Defaults", "Template Path", DataDirectory());
    settings.WriteSetting("Default", "Defaults", "User ID", "jdoe");
    settings.WriteSettingNumber("Default", "Base Classes", "Number", 1);
    settings.WriteSetting("Default", CategoryKey(0), "Header Template", c.header);
    settings.WriteSetting("Default", CategoryKey(0), "Source Template", c.source);
    std::tm moment{};
    moment.tm_year = 95;
    moment.tm_mon = 2;
    moment.tm_mday = 5;
    engine::FixedClock clock(moment);
    RecordingMessageSink messages;
    tallowik_testing::FakeDdeClient dde;
    ClassGenerator generator(settings, clock, messages, dde);

    GenerationRequest request;
    request.fields = {project.path(), "SAMPLE",         "A sample class.", c.base_class, "CSample",
                      "IDD_SAMPLE",   c.class_specific, "SAMPLE.H",        "SAMPLE.CPP"};
    request.category = 0;
    ASSERT_EQ(generator.GenerateClass(request), GenerationResult::kGenerated) << c.header;
    const std::string header = ReadFile(project.File("SAMPLE.H"));
    const std::string source = ReadFile(project.File("SAMPLE.CPP"));
    for (const std::string* text : {&header, &source}) {
      EXPECT_EQ(text->find("$_"), std::string::npos) << c.header << ":\n" << *text;
      EXPECT_NE(text->find("A sample class."), std::string::npos) << c.header;
      EXPECT_NE(text->find("jdoe"), std::string::npos) << c.header;
    }
    EXPECT_NE(header.find("#ifndef CSample_H_INCLUDED\n#define CSample_H_INCLUDED\n"),
              std::string::npos)
        << c.header;
    EXPECT_NE(header.find(std::string("class CSample : public ") + c.base_class), std::string::npos)
        << c.header;
    EXPECT_NE(source.find("#include \"SAMPLE.H\""), std::string::npos) << c.source;
    EXPECT_NE(source.find(std::string("BEGIN_MESSAGE_MAP(CSample, ") + c.base_class + ")"),
              std::string::npos)
        << c.source;
    if (*c.class_specific) {
      EXPECT_NE(source.find(std::string(c.class_specific) + " dlg;"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace tallowik
