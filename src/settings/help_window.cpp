#include "settings/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace settings {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("helpWindow");
  setWindowTitle(tr("Help"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("helpBrowser");
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(560, 480);
}

bool HelpWindow::ShowTopic(const QString& file, int context) {
  QFileInfo info(file);
  if (!info.isFile() || !info.isReadable()) return false;
  QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  url.setFragment(QString::number(context));
  browser_->setSource(url);
  browser_->scrollToAnchor(QString::number(context));
  show();
  raise();
  return true;
}

}  // namespace settings
