// The common strings and common files lists, their dialogs and both actions, and the
// shipped common control file.
#include "quorvan/actions/common_entries.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "config/memory_store.h"
#include "config/settings.h"
#include "engine/templates.h"
#include "engine/variables.h"
#include "fake_app.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/actions/actions.h"
#include "quorvan/app.h"
#include "quorvan/clipboard_exchange.h"
#include "quorvan/scripted_ui.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

using Entries = std::vector<std::string>;

engine::FixedClock FifthOfMarch1995() {
  std::tm moment{};
  moment.tm_year = 95;
  moment.tm_mon = 2;
  moment.tm_mday = 5;
  return engine::FixedClock(moment);
}

class CommonEntriesTest : public ::testing::Test, public FakeApp {
 protected:
  // Names `contents`, written as COMMON.CTL in a directory of the template path.
  void UseControlFile(const std::string& contents) {
    dir_.Write("COMMON.CTL", contents);
    settings.WriteSetting(engine::kDefaultsSection, "Template Path", "/nonexistent;" + dir_.path());
  }
  App MakeApp() { return App{settings, clipboard, ide, processes, ui, command_line_, "."}; }
  // Chooses entry `index` and confirms.
  void Choose(int index) {
    ui.on_form = [index](Form& form) {
      form.fields[0].selected = index;
      return true;
    };
  }
  std::string Text() const { return clipboard.Get(platform::kTextFormatName).value_or("<none>"); }

  testing_support::TempDir dir_;
  CommandLineValues command_line_;
};

TEST_F(CommonEntriesTest, ListsEndAtTheFirstMissingOrEmptyNumber) {
  struct Case {
    const char* contents;
    Entries strings;
    Entries files;
  } cases[] = {
      {"[Common Strings]\nString0=a\nString1=b\nString3=d\n[Common Files]\nFile0=/x.h\n",
       {"a", "b"},
       {"/x.h"}},
      {"[Common Strings]\nString1=b\n", {}, {}},
      {"[Common Strings]\nString0=a\nString1=\nString2=c\n", {"a"}, {}},
      {"[Common Strings]\nString1=b\nString0=\"  a  \"\n", {"  a  ", "b"}, {}},
      {"[Common Files]\nString0=a\n", {}, {}},
      {"[Template]\n", {}, {}},
  };
  for (const Case& c : cases) {
    UseControlFile(c.contents);
    EXPECT_EQ(ReadCommonEntries(settings, CommonList::kStrings), c.strings) << c.contents;
    EXPECT_EQ(ReadCommonEntries(settings, CommonList::kFiles), c.files) << c.contents;
  }
  UseControlFile("[Common Strings]\nString0=" + std::string(300, 'v') + "\n");
  EXPECT_EQ(ReadCommonEntries(settings, CommonList::kStrings), Entries{std::string(259, 'v')});
}

TEST_F(CommonEntriesTest, InsertedStringIsExpandedAndPasted) {
  settings.WriteSetting(engine::kDefaultsSection, "User ID", "jdoe");
  command_line_.file_name = "/src/Main.cpp";
  UseControlFile(
      "[Common Strings]\nString0=first\n"
      "String1=\"// $_UserID $_Date ($_BaseFile):\\r\\n\\t$_Nothing \"\n");
  ui.on_form = [](Form& form) {
    EXPECT_EQ(form.identifier, "Common Strings");
    EXPECT_EQ(form.fields.at(0).kind, FormField::Kind::kList);
    EXPECT_EQ(form.fields[0].choices.size(), 2u);
    EXPECT_EQ(form.fields[0].selected, 0);  // the first entry is chosen
    form.fields[0].selected = 1;
    return true;
  };
  App app = MakeApp();
  EXPECT_TRUE(InsertCommonString(app, FifthOfMarch1995()));
  EXPECT_EQ(Text(), "// jdoe 3/5/95 (Main):\r\n\t$_Nothing ");
  EXPECT_TRUE(clipboard.Get(kProcessedFormatName).has_value());
  EXPECT_FALSE(clipboard.Get(kColumnFormatName).has_value());
  EXPECT_EQ(ide.requests, Entries{"paste"});
}

TEST_F(CommonEntriesTest, NothingToInsertOrOpenFails) {
  struct Case {
    const char* name;
    const char* contents;  // nullptr: no control file at all
    bool confirm;
  } cases[] = {
      {"cancel", "[Common Strings]\nString0=a\n[Common Files]\nFile0=/a.h\n", false},
      {"missing file", nullptr, true},
      {"empty lists", "[Other]\nx=1\n", true},
      {"escape makes it empty", "[Common Strings]\nString0=\\0tail\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.contents) {
      UseControlFile(c.contents);
    } else {
      settings.WriteSetting(engine::kDefaultsSection, kCommonStringsFile, dir_.File("NONE.CTL"));
    }
    ui.on_form = [&](Form&) { return c.confirm; };
    App app = MakeApp();
    EXPECT_FALSE(InsertCommonString(app, FifthOfMarch1995()));
    EXPECT_FALSE(CommonFilesAction(app));
    EXPECT_TRUE(ide.requests.empty());
    EXPECT_TRUE(clipboard.contents().empty());
  }
}

TEST_F(CommonEntriesTest, OpenCommonFileAnswersWithTheIde) {
  UseControlFile("[Common Files]\nFile0=/usr/include/stdio.h\nFile1=/no/such file.h\n");
  ui.on_form = [](Form& form) {
    EXPECT_EQ(form.identifier, "Common Files");
    form.fields.at(0).selected = 1;
    return true;
  };
  App app = MakeApp();
  EXPECT_TRUE(CommonFilesAction(app));
  ide.open_result = false;
  EXPECT_FALSE(CommonFilesAction(app));
  EXPECT_EQ(ide.requests, (Entries{"open /no/such file.h", "open /no/such file.h"}));
  EXPECT_TRUE(clipboard.contents().empty());
}

// The shipped file: both lists are there, and every string expands to something
// pasteable with no variable left over.
TEST_F(CommonEntriesTest, ShippedControlFileIsUsable) {
  settings.WriteSetting(engine::kDefaultsSection, kCommonStringsFile,
                        testing_support::ShippedDataDirectory() + "/COMMON.CTL");
  const Entries strings = ReadCommonEntries(settings, CommonList::kStrings);
  EXPECT_GE(strings.size(), 5u);
  EXPECT_GE(ReadCommonEntries(settings, CommonList::kFiles).size(), 3u);
  for (std::size_t i = 0; i < strings.size(); ++i) {
    Choose(static_cast<int>(i));
    App app = MakeApp();
    ASSERT_TRUE(InsertCommonString(app, FifthOfMarch1995())) << strings[i];
    EXPECT_EQ(Text().find("$_"), std::string::npos) << Text();
    EXPECT_LT(strings[i].size(), 259u);
  }
}

}  // namespace
}  // namespace quorvan
