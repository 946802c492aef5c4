#include <gtest/gtest.h>

#include "fake_app.h"
#include "quorvan/action_table.h"

namespace quorvan {
namespace {

bool Succeeds(App&) { return true; }
bool Fails(App&) { return false; }

using Fixture = FakeApp;

struct DispatchCase {
  ActionFunction run;
  bool dispatcher_pastes;
  bool result;
  int beeps;
  std::vector<std::string> requests;
};

TEST(RunAction, BeepsOnFailureAndPastesOnlyForTheFirstThreeActions) {
  const DispatchCase cases[] = {
      {&Succeeds, true, true, 0, {"paste"}},
      {&Succeeds, false, true, 0, {}},
      {&Fails, true, false, 1, {}},
      {&Fails, false, false, 1, {}},
  };
  for (const DispatchCase& c : cases) {
    Fixture f;
    const ActionEntry table[] = {{4, "Test", "", c.run, c.dispatcher_pastes}};
    EXPECT_EQ(RunAction(f.app, 4, table), c.result);
    EXPECT_EQ(f.ui.beeps, c.beeps);
    EXPECT_EQ(f.ide.requests, c.requests);
    EXPECT_TRUE(f.ui.messages.empty());
  }
}

TEST(RunAction, AnUnknownIndexShowsAMessageWithoutABeep) {
  for (int index : {-1, 10, 99}) {
    Fixture f;
    EXPECT_FALSE(RunAction(f.app, index));
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Undefined action requested"});
    EXPECT_EQ(f.ui.beeps, 0);
  }
}

TEST(ActionTable, ListsTheTenActionsInIndexOrderAndOnlyTheFirstThreePasteByDispatcher) {
  auto table = ActionTable();
  ASSERT_EQ(table.size(), 10u);
  const char* names[] = {"Function Header",    "Module Header",   "Access Functions",
                         "Clipboard Append",   "External Filter", "Insert Common Strings",
                         "Open Common File",   "Column Insert",   "Source Header Swap",
                         "Extract RTF as Text"};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(table[i].index, i);
    EXPECT_EQ(table[i].name, names[i]);
    EXPECT_EQ(table[i].dispatcher_pastes, i < 3) << i;
    EXPECT_FALSE(table[i].description.empty());
  }
}

}  // namespace
}  // namespace quorvan
