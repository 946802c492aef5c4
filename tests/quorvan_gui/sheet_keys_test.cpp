// Page keys of the shared sheet on quorvan's sheet: Ctrl+Tab / Ctrl+Shift+Tab and
// Ctrl+PageDown / Ctrl+PageUp go through the same leave and activate steps as a tab.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "config/memory_store.h"
#include "config/settings.h"
#include "quorvan/action_table.h"
#include "quorvan/qt/defaults_page.h"
#include "quorvan/qt/main_sheet.h"

namespace quorvan {
namespace {

TEST(SheetKeys, ControlKeysCycleThroughThePagesAndKeepEdits) {
  config::MemoryStore store;
  config::Settings settings(store);
  MainSheet sheet(settings, ActionTable(), [](int) { return true; });
  EXPECT_EQ(sheet.windowTitle(), "Quorvane 1.0");
  sheet.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int page;
  } steps[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
               {Qt::Key_PageDown, Qt::ControlModifier, 2},
               {Qt::Key_Tab, Qt::ControlModifier, 0},
               {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2},
               {Qt::Key_PageUp, Qt::ControlModifier, 1}};
  for (const auto& step : steps) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &sheet;
    QTest::keyClick(target, step.key, step.modifiers);
    EXPECT_EQ(sheet.active_index(), step.page);
  }
  // Leaving by key keeps the page's edits as pending, as a click on a tab does.
  QLineEdit* user = sheet.findChild<QLineEdit*>("userIdEdit");
  ASSERT_NE(user, nullptr);
  QTest::keyClicks(user, "kim");
  QTest::keyClick(user, Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(sheet.active_index(), 2);
  EXPECT_TRUE(sheet.defaults_page()->pending_edits());
  EXPECT_FALSE(sheet.apply_button()->isEnabled());
}

}  // namespace
}  // namespace quorvan
