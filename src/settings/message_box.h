// The message boxes of the sheets and dialogs. A test installs a script, so that no
// box blocks it: texts are recorded and questions answered from the script.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

class QWidget;

namespace settings {

// The caption of every box, the program's title ("Quorvane", "Tallowick").
void SetMessageCaption(const QString& caption);

// A box with the text and an OK button.
void ShowMessage(QWidget* parent, const QString& text);
// A box with a warning icon, the caption `title`, the text and an OK button.
void ShowWarning(QWidget* parent, const QString& title, const QString& text);
// A box with Yes and No buttons; true for Yes.
bool AskYesNo(QWidget* parent, const QString& text);
// A box with OK and Cancel buttons; true for OK.
bool AskOkCancel(QWidget* parent, const QString& text);

struct MessageScript {
  std::deque<bool> answers;  // for AskYesNo and AskOkCancel; No / Cancel when it runs out
  QStringList shown;         // every text, messages and questions alike
};

// While `script` is set, boxes are not shown but answered from it. Null: real boxes.
void SetMessageScript(MessageScript* script);

}  // namespace settings
