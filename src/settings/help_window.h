// The help viewer: a window showing a program's HTML help file at the anchor of a
// context number.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace settings {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows `file` at anchor `context`; false (and nothing shown) when the file
  // cannot be read.
  bool ShowTopic(const QString& file, int context);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace settings
