#include "tallowik/main_page_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>

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

TEST(FileNamesForClass, FollowTheClassName) {
  const struct {
    const char* class_name;
    const char* header;
    const char* source;
  } cases[] = {
      {"CMyDialog", "MYDIALOG.H", "MYDIALOG.CPP"},
      {"CWnd", "WND.H", "WND.CPP"},
      {"C", "", ""},
      {"", "", ""},
      {"cLongClassName", "LONGCLAS.H", "LONGCLAS.CPP"},
      {"MyClass", "MYCLASS.H", "MYCLASS.CPP"},
      {"Cc", "C.H", "C.CPP"},
      {"C$_Date x", "$_DATE X.H", "$_DATE X.CPP"},
      {"C\xc3\xa9t\xc3\xa9", "\xc3\xa9T\xc3\xa9.H", "\xc3\xa9T\xc3\xa9.CPP"},
      // Eight characters, not eight bytes: the last one is not cut in half.
      {"Cabcdefg\xc3\xa9xyz", "ABCDEFG\xc3\xa9.H", "ABCDEFG\xc3\xa9.CPP"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamesForClass(c.class_name), (DerivedFileNames{c.header, c.source}))
        << c.class_name;
  }
  // Only the first 99 characters of the name count.
  EXPECT_EQ(FileNamesForClass("C" + std::string(200, 'x')).header, "XXXXXXXX.H");
}

TEST(FindPrefix, FirstEntryBeginningWithTheTextIgnoringCase) {
  const std::vector<std::string> items{"CDialog", "CDialogBar", "CWnd"};
  EXPECT_EQ(FindPrefix(items, "cdialogb"), 1u);
  EXPECT_EQ(FindPrefix(items, "CDIALOG"), 0u);
  EXPECT_EQ(FindPrefix(items, ""), 0u) << "an empty text selects the first";
  EXPECT_EQ(FindPrefix(items, "CView"), std::nullopt);
  EXPECT_EQ(FindPrefix({}, ""), std::nullopt);
}

// A project directory as the current directory, categories in "Default" whose names
// sort differently from their numbers.
class MainPageModelTest : public ::testing::Test {
 protected:
  MainPageModelTest() : cwd_(project_.path()) {
    settings_.WriteSettingNumber("Default", "Base Classes", "Number", 3);
    SetCategory(0, "Window", "CWnd", "Frame Title", 0);
    SetCategory(1, "Dialog", "CDialog", "", 1);
    SetCategory(2, "Modeless", "CDialog", "Template ID", 0);
  }

  void SetCategory(int i, const std::string& name, const std::string& base,
                   const std::string& prompt, int add_to_clw) {
    settings_.WriteSetting("Default", "Base Classes", "Class Description", i, name);
    const std::string key = CategoryKey(i);
    settings_.WriteSetting("Default", key, "Base Class", base);
    settings_.WriteSetting("Default", key, "Class Specific Prompt", prompt);
    settings_.WriteSetting("Default", key, "Header Template", "T" + std::to_string(i) + ".H");
    settings_.WriteSetting("Default", key, "Source Template", "T" + std::to_string(i) + ".CPP");
    settings_.WriteSettingNumber("Default", key, "Add to CLW", add_to_clw);
  }

  MainPageModel& Page() {
    if (!page_) {
      page_ =
          std::make_unique<MainPageModel>(settings_, ProjectArguments{"MYAPP", project_.path()});
      page_->SetUp();
    }
    return *page_;
  }
  std::vector<std::string> CategoryNames() {
    std::vector<std::string> names;
    for (const CategoryEntry& e : Page().values().categories) names.push_back(e.name);
    return names;
  }

  TempDir project_;
  tallowik_testing::CurrentDirectoryGuard cwd_;
  config::MemoryStore store_;
  config::Settings settings_{store_};
  std::unique_ptr<MainPageModel> page_;
};

TEST_F(MainPageModelTest, CategoriesAreSortedAndCarryTheirOwnNumbers) {
  EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Dialog", "Modeless", "Window"}));
  const MainPageValues& v = Page().values();
  EXPECT_EQ(v.category_index, 0);
  EXPECT_EQ(Page().SelectedCategoryNumber(), 1);
  EXPECT_EQ(v.base_classes, (std::vector<std::string>{"CDialog", "CWnd"})) << "no duplicates";

  const struct {
    int index;
    int number;
    const char* base;
    const char* label;
    bool clw;
  } cases[] = {
      {2, 0, "CWnd", "Frame Title", false},
      {0, 1, "CDialog", "Class S&pecific String", true},
      {1, 2, "CDialog", "Template ID", false},
  };
  for (const auto& c : cases) {
    Page().SelectCategory(c.index);
    EXPECT_EQ(Page().SelectedCategoryNumber(), c.number);
    EXPECT_EQ(v.base_class, c.base) << c.index;
    EXPECT_EQ(v.specific_label, c.label) << c.index;
    EXPECT_EQ(v.add_to_clw, c.clw) << c.index;
  }
}

TEST_F(MainPageModelTest, RefreshAppliesTheLastUsedValuesThatMatch) {
  platform::WriteProfileString(project_.File("MYAPP.clw"), "General Info", "ClassCount", "2");
  platform::WriteProfileString(project_.File("MYAPP.clw"), "General Info", "Class1", "CAboutDlg");
  platform::WriteProfileString(project_.File("MYAPP.clw"), "General Info", "Class2", "cdialog");
  platform::WriteProfileString(project_.File("MYAPP.clw"), "General Info", "ResourceCount", "2");
  platform::WriteProfileString(project_.File("MYAPP.clw"), "General Info", "Resource1", "IDD_B");
  platform::WriteProfileString(project_.File("MYAPP.clw"), "General Info", "Resource2", "IDD_A");
  const struct {
    const char* name;
    LastUsed last;
    const char* category;
    const char* base;
    const char* resource;
    bool clw;
  } cases[] = {
      {"nothing stored: firsts and the first category's defaults",
       {},
       "Dialog",
       "CAboutDlg",
       "IDD_A",
       false},
      {"prefixes match ignoring case",
       {"wIN", "cab", "idd_b", 1},
       "Window",
       "CAboutDlg",
       "IDD_B",
       true},
      {"no base class matches: the category's default",
       {"Window", "CView", "IDD_X", 0},
       "Window",
       "CWnd",
       "IDD_A",
       false},
      {"no category matches: the first stays",
       {"Nothing", "CDialog", "", 1},
       "Dialog",
       "CDialog",
       "IDD_A",
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SaveLastUsed(project_.File("MYAPP.clw"), c.last);
    page_.reset();
    const MainPageValues& v = Page().values();
    EXPECT_EQ(v.base_classes, (std::vector<std::string>{"CAboutDlg", "CDialog", "CWnd"}));
    EXPECT_EQ(v.resources, (std::vector<std::string>{"IDD_A", "IDD_B"}));
    EXPECT_EQ(v.categories[static_cast<std::size_t>(v.category_index)].name, c.category);
    EXPECT_EQ(v.base_class, c.base);
    EXPECT_EQ(v.resource, c.resource);
    EXPECT_EQ(v.add_to_clw, c.clw);
    EXPECT_TRUE(v.add_to_clw_enabled);
  }
}

TEST_F(MainPageModelTest, OddClassWizardFilesNeitherCrashNorHideTheCategories) {
  const std::string contents[] = {
      std::string("\0\xff\xfe[General Info\x01\nClassCount=\0 3\n", 30),
      "this is no INI file at all\n\n=\n[\n]\n",
      "[General Info]\nClassCount=2147483647999\nClass2147483647=CHuge\nResourceCount=-5\n",
      "[General Info]\nClassCount=1\nClass1=" + std::string(1 << 20, 'x') + "\n",
  };
  for (const std::string& text : contents) {
    project_.Write("MYAPP.clw", text);
    page_.reset();
    EXPECT_EQ(CategoryNames(), (std::vector<std::string>{"Dialog", "Modeless", "Window"}));
    const std::vector<std::string>& bases = Page().values().base_classes;
    EXPECT_NE(std::find(bases.begin(), bases.end(), "CWnd"), bases.end());
    for (const std::string& base : bases) EXPECT_LE(base.size(), kClwTextChars);
  }
}

TEST_F(MainPageModelTest, CheckBoxIsDisabledWithoutAWritableClassWizardFile) {
  EXPECT_FALSE(Page().values().add_to_clw_enabled) << "missing";
  project_.Write("MYAPP.clw", "[General Info]\n");
  chmod(project_.File("MYAPP.clw").c_str(), 0444);
  page_.reset();
  EXPECT_EQ(Page().values().add_to_clw_enabled,
            access(project_.File("MYAPP.clw").c_str(), W_OK) == 0)
      << "read-only (root may write anyway)";
}

struct LeaveCase {
  const char* name;
  const char* class_name;
  const char* header;  // nullptr: as derived
  bool answer;
  bool asked;
  bool left;
  bool pending;
};

TEST_F(MainPageModelTest, LeavingWithoutTheNeededFieldsAsks) {
  const LeaveCase cases[] = {
      {"complete", "CView", nullptr, false, false, true, true},
      {"no class name, OK", "", nullptr, true, true, true, false},
      {"no class name, Cancel", "", nullptr, false, true, false, false},
      {"only C, OK", "C", nullptr, true, true, true, false},
      {"header cleared, Cancel", "CView", "", false, true, false, false},
  };
  for (const LeaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    page_.reset();
    Page().SetClassName(c.class_name);
    if (c.header) Page().values().header_file = c.header;
    std::vector<std::string> asked;
    const bool left = Page().Leave([&](std::string_view q) {
      asked.emplace_back(q);
      return c.answer;
    });
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(!asked.empty(), c.asked);
    if (c.asked) {
      EXPECT_EQ(asked[0], kInsufficientInformation);
    }
    EXPECT_EQ(Page().pending_generation(), c.pending);
    EXPECT_EQ(Page().changed(), !c.left);
    // The last-used values are saved only when the page is left.
    EXPECT_EQ(FileExists(project_.File("MYAPP.clw")), c.left);
    std::remove(project_.File("MYAPP.clw").c_str());
  }
}

TEST_F(MainPageModelTest, LeavingUnchangedNeverAsksNorGenerates) {
  Page().values().description = "edited, but not the class name";
  bool asked = false;
  EXPECT_TRUE(Page().Leave([&](std::string_view) { return asked = true; }));
  EXPECT_FALSE(asked);
  EXPECT_FALSE(Page().pending_generation());
  EXPECT_TRUE(Page().IsClean());
}

TEST_F(MainPageModelTest, ConfirmingTwiceGeneratesOnce) {
  project_.Write("T1.H", "class $_ClassName : public $_BaseClass\n");
  project_.Write("T1.CPP", "#include \"$_HeaderFile\"\n");
  tallowik_testing::FakeDdeClient dde;
  RecordingMessageSink messages;
  engine::SystemClock clock;
  ClassGenerator generator(settings_, clock, messages, dde);

  Page().SetClassName("CMyDialog");
  ASSERT_TRUE(Page().Leave([](std::string_view) { return true; }));
  EXPECT_EQ(Page().Commit(generator), GenerationResult::kGenerated);
  EXPECT_TRUE(Page().IsClean());
  Page().Activate();
  ASSERT_TRUE(Page().Leave([](std::string_view) { return true; }));
  EXPECT_EQ(Page().Commit(generator), std::nullopt);

  EXPECT_EQ(ReadFile(project_.File("MYDIALOG.H")), "class CMyDialog : public CDialog\n");
  EXPECT_EQ(dde.executed, (std::vector<std::string>{"MSVC|SYSTEM|OPEN (\"MYDIALOG.CPP\")"}));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(LoadLastUsed(project_.File("MYAPP.clw")), (LastUsed{"Dialog", "CDialog", "", 0}));
}

TEST_F(MainPageModelTest, CategoryNumbersOutOfRangeGenerateNothing) {
  settings_.WriteSettingNumber("Default", "Base Classes", "Number", -4);
  EXPECT_TRUE(Page().values().categories.empty());
  EXPECT_EQ(Page().SelectedCategoryNumber(), std::nullopt);
  tallowik_testing::FakeDdeClient dde;
  RecordingMessageSink messages;
  engine::SystemClock clock;
  ClassGenerator generator(settings_, clock, messages, dde);
  Page().SetClassName("CMyDialog");
  ASSERT_TRUE(Page().Leave([](std::string_view) { return true; }));
  EXPECT_EQ(Page().Commit(generator), GenerationResult::kNoCategory);
  EXPECT_FALSE(FileExists(project_.File("MYDIALOG.H")));
  EXPECT_TRUE(Page().pending_generation()) << "a failed run keeps the page as it was";
}

}  // namespace
}  // namespace tallowik
