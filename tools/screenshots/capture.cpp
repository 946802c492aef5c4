#include "capture.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace screenshots {

QString output_directory;
int failures = 0;

void Settle() {
  for (int i = 0; i < 10; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
  }
}

void Save(QWidget* window, const QString& name) {
  Settle();
  QPixmap shot = window->screen()->grabWindow(window->winId());
  const QString path = output_directory + "/" + name + ".png";
  if (shot.isNull() || !shot.save(path)) {
    std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
    ++failures;
    return;
  }
  std::printf("%s\n", qPrintable(path));
}

void SaveModal(const QString& name, const std::function<void()>& show_modal) {
  QTimer::singleShot(300, [name] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      Save(modal, name);
      modal->close();
    } else {
      std::fprintf(stderr, "no window for %s\n", qPrintable(name));
      ++failures;
    }
  });
  show_modal();
}

}  // namespace screenshots
