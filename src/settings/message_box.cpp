#include "settings/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace settings {
namespace {

QString& Caption() {
  static QString caption;
  return caption;
}

MessageScript*& Script() {
  static MessageScript* script = nullptr;
  return script;
}

}  // namespace

void SetMessageCaption(const QString& caption) { Caption() = caption; }

void SetMessageScript(MessageScript* script) { Script() = script; }

void ShowMessage(QWidget* parent, const QString& text) {
  if (MessageScript* script = Script()) {
    script->shown.append(text);
    return;
  }
  QMessageBox::information(parent, Caption(), text, QMessageBox::Ok);
}

namespace {

bool ScriptedAnswer(MessageScript& script, const QString& text) {
  script.shown.append(text);
  if (script.answers.empty()) return false;
  bool answer = script.answers.front();
  script.answers.pop_front();
  return answer;
}

}  // namespace

void ShowWarning(QWidget* parent, const QString& title, const QString& text) {
  if (MessageScript* script = Script()) {
    script->shown.append(text);
    return;
  }
  QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text) {
  if (MessageScript* script = Script()) return ScriptedAnswer(*script, text);
  return QMessageBox::question(parent, Caption(), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

bool AskOkCancel(QWidget* parent, const QString& text) {
  if (MessageScript* script = Script()) return ScriptedAnswer(*script, text);
  return QMessageBox::warning(parent, Caption(), text, QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Ok) == QMessageBox::Ok;
}

}  // namespace settings
