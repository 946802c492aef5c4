// The source/header name swap, the letter case of an existing extension and the
// action's requests.
#include "quorvan/actions/source_header_swap.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/memory_store.h"
#include "config/settings.h"
#include "engine/templates.h"
#include "fake_app.h"
#include "platform/clipboard.h"
#include "platform/ide_link.h"
#include "platform/process.h"
#include "quorvan/actions/actions.h"
#include "quorvan/app.h"
#include "quorvan/scripted_ui.h"
#include "support/temp_dir.h"

namespace quorvan {
namespace {

TEST(SwappedFileNameTest, GroupsInOrder) {
  struct Case {
    const char* name;
    const char* groups;
    std::optional<std::string> expected;
  } cases[] = {
      {"C:\\SRC\\MAIN.CPP", "[CPP,H]", "C:\\SRC\\MAIN.H"},
      {"MAIN.C", "[CPP,H][C,H]", "MAIN.H"},
      {"MAIN.H", "[CPP,H][C,H]", "MAIN.CPP"},  // the first group naming it wins
      {"src/main.cpp", "[cpp,h]", "src/main.h"},
      {"src/main.cpp", "[CPP,H]", "src/main.H"},  // written as the group writes it
      {"a.b.H", "[CPP,H]", "a.b.CPP"},            // only the last "." counts
      {"main.cc", "[cc,hh][cpp,h]", "main.hh"},
      {"main.hh", "[[cc,hh]", "main.cc"},  // an empty piece is no group
      {"main.cpp", "[CPP,H", "main."},     // the last character is taken as the "]"
      {"main.txt", "[CPP,H][C,H]", std::nullopt},
      {"Unknown", "[CPP,H]", std::nullopt},
      {"C:\\MY.DIR\\FILE", "[CPP,H]", std::nullopt},
      {"main.c", "[CPP][C,H]", std::nullopt},  // a group without a comma ends the walk
      {"main.c", "x[C,H]", std::nullopt},
      {"main.c", "[C,H][X]", "main.H"},
      {"main.c", "", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SwappedFileName(c.name, c.groups), c.expected) << c.name << " " << c.groups;
  }
}

TEST(ExistingExtensionCaseTest, PrefersAnExistingSpelling) {
  testing_support::TempDir dir;
  dir.Write("main.h", "");
  dir.Write("Main.hpp", "");
  dir.Write("util.CPP", "");
  dir.Write("util.Cpp", "");
  dir.Write("x.dir/file", "");
  struct Case {
    const char* asked;
    const char* expected;
  } cases[] = {
      {"main.h", "main.h"},     {"main.H", "main.h"},
      {"util.cpp", "util.CPP"}, {"main.HPP", "main.HPP"},  // the stem keeps its case
      {"other.h", "other.h"},   {"x.DIR/file", "x.DIR/file"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExistingExtensionCase(dir.File(c.asked)), dir.File(c.expected)) << c.asked;
  }
}

class SwapActionTest : public ::testing::Test, public FakeApp {
 protected:
  bool Run() {
    App app{settings, clipboard, ide, processes, ui, command_line_, "."};
    return SourceHeaderSwapAction(app);
  }

  testing_support::TempDir dir_;
  CommandLineValues command_line_;
};

TEST_F(SwapActionTest, OpensThePartnerByTheGroups) {
  dir_.Write("main.h", "");
  command_line_.file_name = dir_.File("main.cpp");  // default "[CPP,H]" gives main.H
  ide.open_result = false;                          // success does not depend on the IDE
  EXPECT_TRUE(Run());
  settings.WriteSetting(engine::kDefaultsSection, kSwapFileGroupings, "[cpp,h][c,h]");
  command_line_.file_name = dir_.File("lib.c");
  EXPECT_TRUE(Run());
  EXPECT_EQ(ide.requests, (std::vector<std::string>{"open " + dir_.File("main.h"),
                                                    "open " + dir_.File("lib.h")}));
}

TEST_F(SwapActionTest, FailsWithoutAPartnerName) {
  for (const char* name : {"Unknown", "main.c", ""}) {  // "/F" absent; no group; empty
    command_line_.file_name = name;
    EXPECT_FALSE(Run()) << name;
  }
  EXPECT_TRUE(ide.requests.empty());
}

}  // namespace
}  // namespace quorvan
