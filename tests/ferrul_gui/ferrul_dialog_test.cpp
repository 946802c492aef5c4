// ferrul's dialog and its user interface driven through the real widgets.
#include "ferrul/qt/ferrul_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "ferrul/qt/qt_ferrul_ui.h"
#include "settings/message_box.h"

namespace ferrul {
namespace {

QPlainTextEdit* Edit(QWidget& dialog) { return dialog.findChild<QPlainTextEdit*>("scriptEdit"); }

QPushButton* Button(QWidget& dialog, QDialogButtonBox::StandardButton which) {
  return dialog.findChild<QDialogButtonBox*>("buttonBox")->button(which);
}

TEST(FerrulDialog, ShowsTheRememberedScriptUnderItsLabel) {
  FerrulDialog dialog("{ print $1 }\n");
  EXPECT_EQ(dialog.windowTitle(), "Ferrule");
  ASSERT_NE(Edit(dialog), nullptr);
  EXPECT_EQ(Edit(dialog)->toPlainText(), "{ print $1 }\n");
  auto* label = dialog.findChild<QLabel*>("scriptLabel");
  EXPECT_EQ(label->text(), "&Awk script");
  EXPECT_EQ(label->buddy(), Edit(dialog));
}

TEST(FerrulDialog, EnterStartsANewLineAndOkReturnsTheText) {
  FerrulDialog dialog("");
  dialog.show();
  Edit(dialog)->setFocus();
  QTest::keyClicks(Edit(dialog), "NR > 1");
  QTest::keyClick(Edit(dialog), Qt::Key_Return);
  QTest::keyClicks(Edit(dialog), "{ print }");
  EXPECT_TRUE(dialog.isVisible());
  Button(dialog, QDialogButtonBox::Ok)->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Script(), "NR > 1\n{ print }");
}

TEST(FerrulDialog, CancelRejects) {
  FerrulDialog dialog("x");
  dialog.show();
  Button(dialog, QDialogButtonBox::Cancel)->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Runs `action` and answers the modal window it opens with `respond`.
template <typename Respond>
void WhileModal(const std::function<void()>& action, Respond respond) {
  QTimer::singleShot(0, [respond] {
    if (QWidget* modal = QApplication::activeModalWidget()) respond(modal);
  });
  action();
}

TEST(FerrulDialog, TheAboutBoxNamesTheProgram) {
  FerrulDialog dialog("");
  auto* about = dialog.findChild<QAction*>("aboutAction");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->text(), "&About ferrul...");
  QString title, text;
  WhileModal([&] { about->trigger(); },
             [&](QWidget* modal) {
               auto* box = qobject_cast<QMessageBox*>(modal);
               if (!box) return;
               title = box->windowTitle();
               text = box->text();
               box->accept();
             });
  EXPECT_EQ(title, "About Ferrule");
  EXPECT_EQ(text, "Ferrule Version 1.0");
}

TEST(QtFerrulUi, EditScriptReturnsWhatTheDialogConfirms) {
  QtFerrulUi ui;
  for (bool ok : {true, false}) {
    std::string script = "old";
    FerrulUi::EditResult result;
    WhileModal([&] { result = ui.EditScript(script); },
               [ok](QWidget* modal) {
                 auto* edit = modal->findChild<QPlainTextEdit*>("scriptEdit");
                 edit->setPlainText("new");
                 Button(*modal, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
               });
    EXPECT_EQ(result, ok ? FerrulUi::EditResult::kConfirmed : FerrulUi::EditResult::kCancelled);
    EXPECT_EQ(script, ok ? "new" : "old");
  }
}

TEST(QtFerrulUi, WarningsAndTheWaitCursor) {
  settings::MessageScript messages;
  settings::SetMessageScript(&messages);
  QtFerrulUi ui;
  ui.ShowWarning({"AWK command interpreter failed", "Ferrule - invalid command"});
  settings::SetMessageScript(nullptr);
  EXPECT_EQ(messages.shown, QStringList{"AWK command interpreter failed"});

  ui.BeginWait();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.EndWait();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace ferrul
